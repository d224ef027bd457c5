"""The benchmark database of one size: the fixture schema and the data of
gerar-dados.sql for N pending invoices over H history rows."""

import time
from pathlib import Path

from benchmark import banco

RAIZ = Path(__file__).resolve().parent.parent
ESQUEMA = RAIZ / "tests" / "fixtures" / "esquema.sql"
DADOS = Path(__file__).resolve().parent / "gerar-dados.sql"
# The indexes the program's schema upkeep creates when they are missing.
INDICES = ("create descending index IX_BENCH_COMISSAO_ID_DESC on MOV_COMISSAO (ID_COMISSAO)",
           "create descending index IX_BENCH_ACERTO_ID_DESC on MOV_ACERTO_COMISSAO (ID_ACERTO_COMISSAO)",
           "create index IX_BENCH_COMISSAO_BLOQUEIO on MOV_COMISSAO (ST_BLOQUEIO_1)",
           "create index IX_BENCH_COMISSAO_ESTORNO on MOV_COMISSAO (ST_ESTORNO_1)",
           "create index IX_BENCH_NF_CALC on MOV_NF_COMERCIO (ST_CALC_COMISSAO)",
           "create index IX_BENCH_FINANCEIRO_CALC on MOV_FINANCEIRO (ST_CALC_COMISSAO)",
           "create index IX_BENCH_ACERTO_CALC on MOV_ACERTO_COMISSAO (ST_CALC_COMISSAO)",
           "create index IX_BENCH_NF_CALC_ESTORNO on MOV_NF_COMERCIO (ST_CALC_ESTORNO)",
           "create index IX_BENCH_FINANCEIRO_BAIXA on MOV_FINANCEIRO (DT_BAIXA)",
           "create index IX_BENCH_COMISSAO_ZERADA on MOV_COMISSAO computed by (iif(vl_comissao = 0, 0, null))")


def gerar(arquivo: Path, pendentes: int, historico: int, semente: int, escrita_forcada: bool,
          indices_prontos: bool, indices_na_carga: bool) -> float:
    """Creates the file anew and returns the seconds it took. The load runs
    without forced writes; the database then gets the setting asked for.
    With indices_na_carga every index takes the rows one by one, as the
    suite's inserts do, instead of being built packed after the load."""
    inicio = time.monotonic()
    arquivo.unlink(missing_ok=True)
    banco.criar(arquivo, ESQUEMA)
    banco.escrita_forcada(arquivo, False)
    criar_indices = "".join(f"{indice};\n" for indice in INDICES) + "commit;\n"
    if indices_prontos and indices_na_carga:
        banco.executar(arquivo, criar_indices)
    script = (DADOS.read_text(encoding="utf-8")
              .replace("@N@", str(pendentes))
              .replace("@H@", str(historico))
              .replace("@SEMENTE@", str(semente))
              .replace("@DESLIGAR_INDICES@", "0" if indices_na_carga else "1"))
    banco.executar(arquivo, script)
    if indices_prontos and not indices_na_carga:
        banco.executar(arquivo, criar_indices)
    if escrita_forcada:
        banco.escrita_forcada(arquivo, True)
    return time.monotonic() - inicio
