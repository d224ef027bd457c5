"""The reference: the program built from another revision of this
repository, in a folder of its own, and the comparison of what two runs
left in every table a run writes, every column, identifiers included."""

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
# Every table a run writes, by the column that orders its rows, and the
# columns two runs fill differently by nature: the hour the resident run
# takes next, the monitor's flag and the time of a log row.
TABELAS = {
    "MOV_COMISSAO": ("ID_COMISSAO", ()),
    "MOV_ACERTO_COMISSAO": ("ID_ACERTO_COMISSAO", ()),
    "MOV_NF_COMERCIO": ("ID_NF_COMERCIO", ()),
    "MOV_NF_COMERCIO_ITEM": ("ID_NF_COMERCIO_ITEM", ()),
    "MOV_FINANCEIRO": ("ID_FINANCEIRO", ()),
    "TAB_PARAMETRO": ("ID_PARAMETRO", ("HR_ATUALIZAR_COMISSAO", "ST_MONITOR_COMISSAO_ATIVO")),
    "MOV_LOG_CONTROLE": ("ID_LOG_CONTROLE", ("DH_LOG_EVENTO",)),
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


def _colunas(arquivo: Path, tabela: str) -> list[str]:
    """The table's columns in their order, less those two runs fill differently."""
    ordem, diferentes = TABELAS[tabela]
    colunas = [c for (c,) in banco.linhas(arquivo, ["trim(rdb$field_name)"],
                                         f"from rdb$relation_fields where rdb$relation_name = '{tabela}'"
                                         " order by rdb$field_position")]
    return [ordem] + [c for c in colunas if c != ordem and c not in diferentes]


def _despejar(arquivo: Path, tabela: str, colunas: list[str], destino: Path) -> None:
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
        colunas = _colunas(nosso, tabela)
        if colunas != _colunas(deles, tabela):
            diferencas.append(f"{tabela}: colunas diferentes")
            continue
        _despejar(nosso, tabela, colunas, a)
        _despejar(deles, tabela, colunas, b)
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
