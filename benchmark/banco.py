"""Firebird through isql-fb and gfix on database files (embedded engine, no
server): scripts, selections read as rows of texts, database creation and
the forced-writes switch. A file is opened by one process at a time, so
nothing here keeps a database open between calls."""

import subprocess
from pathlib import Path

USUARIO = "SYSDBA"
SENHA = "qzvlatren"
NULO = "~"
SEPARADOR = "|"


class ErroBanco(RuntimeError):
    pass


def _isql(banco: Path | None) -> list[str]:
    comando = ["isql-fb", "-q", "-b", "-ch", "UTF8", "-user", USUARIO, "-password", SENHA]
    return comando + ([str(banco)] if banco else [])


def executar(banco: Path | None, script: str) -> None:
    """Runs a script; the first failing statement stops it and raises."""
    feito = subprocess.run(_isql(banco), input=script, text=True, encoding="utf-8",
                           capture_output=True, check=False)
    if feito.returncode != 0 or "Statement failed" in feito.stderr:
        raise ErroBanco(f"isql-fb em {banco}: {feito.stderr.strip() or feito.stdout.strip()}")


def criar(banco: Path, esquema: Path) -> None:
    """A new database from a schema script, as the suite's are: dialect 3,
    WIN1252, pages of 8 KiB."""
    executar(None, f"create database '{banco}' page_size 8192 default character set WIN1252;\n"
                   f"input '{esquema}';\ncommit;\n")


def escrita_forcada(banco: Path, ligada: bool) -> None:
    feito = subprocess.run(["gfix", "-write", "sync" if ligada else "async",
                            "-user", USUARIO, "-password", SENHA, str(banco)],
                           capture_output=True, text=True, check=False)
    if feito.returncode != 0:
        raise ErroBanco(f"gfix em {banco}: {feito.stderr.strip()}")


def texto_coluna(expressao: str) -> str:
    """A column as text in a row of linhas(); NULL becomes NULO."""
    return f"coalesce(cast({expressao} as varchar(100)), '{NULO}')"


def linhas(banco: Path, colunas: list[str], resto: str):
    """Yields each row of "select <colunas> <resto>" as a list of texts,
    streaming, so a whole table can be read without holding it."""
    juncao = f" || '{SEPARADOR}' || ".join(texto_coluna(c) for c in colunas)
    # One marked column per row in list mode: no padding, nothing to trim.
    script = f"set list on;\nselect '#' || {juncao} as L {resto};\n"
    processo = subprocess.Popen(_isql(banco), stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                stderr=subprocess.PIPE, text=True, encoding="utf-8")
    processo.stdin.write(script)
    processo.stdin.close()
    try:
        for linha in processo.stdout:
            inicio = linha.find("#")
            if linha.startswith("L ") and inicio > 0:
                yield linha[inicio + 1:].rstrip("\n").split(SEPARADOR)
        erro = processo.stderr.read()
        if processo.wait() != 0 or "Statement failed" in erro:
            raise ErroBanco(f"isql-fb em {banco}: {erro.strip()}")
    finally:
        # A reader that stops early must not leave isql holding the file:
        # the embedded engine keeps every other process out while it does.
        if processo.poll() is None:
            processo.kill()
            processo.wait()


def valores(banco: Path, colunas: list[str], resto: str = "from rdb$database") -> list[str]:
    """The first row of a selection; a selection without rows raises."""
    for linha in list(linhas(banco, colunas, resto)):
        return linha
    raise ErroBanco(f"nenhuma linha: select {', '.join(colunas)} {resto}")


def inteiro(banco: Path, expressao: str) -> int:
    """One integer expression, usually a count or a sub-select."""
    return int(valores(banco, [f"coalesce({expressao}, 0)"])[0])
