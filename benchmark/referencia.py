"""The reference: the program built from another revision of this
repository, in a folder of its own, and the comparison of what two runs
left in mov_comissao and mov_acerto_comissao, every column, identifiers
included."""

import subprocess
from itertools import zip_longest
from pathlib import Path

from benchmark import banco
from benchmark.instalacao import NOME_PROGRAMA

RAIZ = Path(__file__).resolve().parent.parent
# The last revision before sources were grouped under savepoints and amounts
# became parameters, with the fixes of the claw-back already in: what the
# run wrote then is what it must write now.
REVISAO_PADRAO = "290768567c2c8d6e7588a419bd5b41b81310e77e"
TABELAS = {
    "mov_comissao": ["ID_COMISSAO", "TP_REGISTRO", "ID_NF_COMERCIO", "ID_FINANCEIRO", "ID_ACERTO_COMISSAO",
                     "ID_EMPRESA", "ID_VENDEDOR", "DS_SERIE", "NO_DOCUMENTO", "DT_EMISSAO", "ID_CLIENTE",
                     "NM_CLIENTE", "VL_OPERACAO", "VL_BASE_COMISSAO", "PO_COMISSAO", "VL_COMISSAO", "ST_IRRF",
                     "DT_CREDITO", "ST_RECEBIMENTO", "ST_ENTREGA", "ID_COMISSAO_GERADA", "ST_CANCELADA",
                     "ST_PAGAR", "ST_BLOQUEIO_1", "ST_ESTORNO_1"],
    "mov_acerto_comissao": ["ID_ACERTO_COMISSAO", "DT_PAGAMENTO", "ID_VENDEDOR", "VL_ACERTO", "TP_ACERTO",
                            "ST_IRRF", "DS_ACERTO", "ID_EMPRESA", "ID_COMISSAO_GERADA", "ST_CALC_COMISSAO",
                            "ID_COMISSAO_ESTORNADA"],
}
MOSTRAR = 5


def _git(*argumentos: str) -> str:
    return subprocess.run(["git", "-C", str(RAIZ), *argumentos], capture_output=True, text=True,
                          check=True).stdout.strip()


def construir(revisao: str, pasta_trabalho: Path) -> Path:
    """The program of the revision, built once per commit and kept: the
    sources come from git archive, so no checkout or worktree changes."""
    commit = _git("rev-parse", "--verify", f"{revisao}^{{commit}}")
    pasta = pasta_trabalho / f"referencia-{commit[:12]}"
    programa = pasta / "build" / NOME_PROGRAMA
    if programa.exists():
        return programa
    fonte = pasta / "fonte"
    fonte.mkdir(parents=True, exist_ok=True)
    arquivo = subprocess.Popen(["git", "-C", str(RAIZ), "archive", commit], stdout=subprocess.PIPE)
    subprocess.run(["tar", "-x", "-C", str(fonte)], stdin=arquivo.stdout, check=True)
    if arquivo.wait() != 0:
        raise RuntimeError(f"git archive {commit} falhou")
    subprocess.run(["cmake", "-S", str(fonte), "-B", str(pasta / "build"), "-DCMAKE_BUILD_TYPE=RelWithDebInfo",
                    "-DBUILD_TESTING=OFF"], check=True, stdout=subprocess.DEVNULL)
    subprocess.run(["cmake", "--build", str(pasta / "build"), "-j2", "--target", "telmoraComissao2"], check=True,
                   stdout=subprocess.DEVNULL)
    return programa


def _despejar(arquivo: Path, tabela: str, destino: Path) -> None:
    colunas = TABELAS[tabela]
    with destino.open("w", encoding="utf-8") as saida:
        for linha in banco.linhas(arquivo, colunas, f"from {tabela} order by {colunas[0]}"):
            saida.write(banco.SEPARADOR.join(linha) + "\n")


def comparar(nosso: Path, deles: Path, pasta: Path) -> list[str]:
    """The differences, per table: how many rows differ and the first few,
    side by side. Both tables are written to files in `pasta` and read
    back line by line, so a table of any size fits."""
    diferencas = []
    for tabela in TABELAS:
        a, b = pasta / f"{tabela}.nosso.txt", pasta / f"{tabela}.referencia.txt"
        _despejar(nosso, tabela, a)
        _despejar(deles, tabela, b)
        contadas = 0
        with a.open(encoding="utf-8") as linhas_a, b.open(encoding="utf-8") as linhas_b:
            for numero, (x, y) in enumerate(zip_longest(linhas_a, linhas_b), start=1):
                if x == y:
                    continue
                contadas += 1
                if contadas <= MOSTRAR:
                    diferencas.append(f"{tabela} linha {numero}:\n    medido:     {(x or '(nada)').rstrip()}"
                                      f"\n    referência: {(y or '(nada)').rstrip()}")
        if contadas:
            diferencas.append(f"{tabela}: {contadas} linhas diferentes")
        a.unlink()
        b.unlink()
    return diferencas
