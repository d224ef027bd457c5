"""A throw-away installation of the suite around one program and one
database, laid out as scripts/demo lays out its own, and one manual run of
the program in it on the console, measured by /usr/bin/time."""

import os
import re
import shutil
import signal
import subprocess
import time
from dataclasses import dataclass, field
from pathlib import Path

NOME_PROGRAMA = "telmoraComissao2.exe"
NOME_BANCO = "BENCH.FDB"
CONCLUIDO = "Processamento concluído com sucesso!"
FASE = re.compile(r"\bfase\s+numero=(\d+)(.*)$")
CHAVE_VALOR = re.compile(r"(\w+)=(\S+)")


@dataclass
class Fase:
    numero: int
    segundos: float | None
    fontes: int | None
    linhas: int | None


@dataclass
class Execucao:
    segundos: float
    cpu: float | None          # user + system seconds of the program
    memoria_kb: int | None
    codigo: int
    saida: str
    concluida: bool
    carga: tuple[float, float]
    fases: list[Fase] = field(default_factory=list)


class Instalacao:
    """Bin/ with the program and the local ini, Dados/ with the server ini,
    the database and the run log, Update/ with a copy of the program of the
    same modification time and an updater, so the update check passes."""

    def __init__(self, raiz: Path, programa: Path, banco_origem: Path):
        self.raiz = raiz
        shutil.rmtree(raiz, ignore_errors=True)
        for pasta in ("Bin", "Dados", "Update"):
            (raiz / pasta).mkdir(parents=True)
        self.programa = raiz / "Bin" / NOME_PROGRAMA
        self.banco = raiz / "Dados" / NOME_BANCO
        shutil.copy2(programa, self.programa)
        shutil.copy2(self.programa, raiz / "Update" / NOME_PROGRAMA)
        atualizador = raiz / "Update" / "telmoraAtualizador.exe"
        atualizador.write_text("#!/bin/sh\nexit 0\n")
        atualizador.chmod(0o755)
        # The suite's ini files are Windows files (CR-LF).
        (raiz / "Bin" / "telmoraempresa.ini").write_bytes(
            f"[IniServidor]\r\nnomearquivo={raiz / 'Dados' / 'Servidor.ini'}\r\n".encode())
        (raiz / "Dados" / "Servidor.ini").write_bytes(
            f"[Database]\r\nServidor=\r\npath={raiz / 'Dados'}/\r\nname={NOME_BANCO}\r\n".encode())
        shutil.copyfile(banco_origem, self.banco)
        # The copy goes to disk now: its writeback would otherwise compete
        # with the run's own flushes, more the larger the history.
        os.sync()

    @property
    def log(self) -> Path:
        return self.raiz / "Dados" / "telmoraComissao2.log"

    def executar(self, limite: float, perf: Path | None = None) -> Execucao:
        """One manual run; a run that has not ended after `limite` seconds is
        ended (a failed run leaves the program waiting with its timers off)."""
        medidas = self.raiz / "time.txt"
        comando = ["/usr/bin/time", "-v", "-o", str(medidas)]
        # At its end the program kills the first process with its own file
        # name: in a PID namespace of its own that is itself, never another
        # installation's monitor or a test's program on the same machine.
        if os.geteuid() == 0:
            comando += ["unshare", "--pid", "--fork", "--mount-proc", "--kill-child"]
        if perf:
            comando += ["perf", "record", "-g", "-q", "-o", str(perf), "--"]
        comando += [str(self.programa), "manual"]
        ambiente = dict(os.environ, QT_QPA_PLATFORM="offscreen")
        carga_inicial = os.getloadavg()[0]
        inicio = time.monotonic()
        processo = subprocess.Popen(comando, env=ambiente, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                                    text=True, encoding="utf-8", errors="replace", start_new_session=True)
        try:
            saida, _ = processo.communicate(timeout=limite)
        except subprocess.TimeoutExpired:
            os.killpg(processo.pid, signal.SIGTERM)
            saida, _ = processo.communicate()
            saida += f"\n(benchmark: encerrado após {limite:.0f} s)"
        segundos = time.monotonic() - inicio
        tempo = _medidas(medidas)
        return Execucao(segundos=segundos, cpu=tempo.get("cpu"), memoria_kb=tempo.get("memoria_kb"),
                        codigo=processo.returncode,
                        saida=saida, concluida=CONCLUIDO in saida, carga=(carga_inicial, os.getloadavg()[0]),
                        fases=ler_fases(self.log))


def _medidas(medidas: Path) -> dict:
    """CPU seconds and peak memory from /usr/bin/time -v's report."""
    texto = medidas.read_text() if medidas.exists() else ""
    valores = {nome: float(achado.group(1)) for nome, padrao in (
        ("usuario", r"User time \(seconds\): ([\d.]+)"), ("sistema", r"System time \(seconds\): ([\d.]+)"),
        ("memoria_kb", r"Maximum resident set size \(kbytes\): (\d+)")) if (achado := re.search(padrao, texto))}
    resultado = {}
    if "usuario" in valores and "sistema" in valores:
        resultado["cpu"] = valores["usuario"] + valores["sistema"]
    if "memoria_kb" in valores:
        resultado["memoria_kb"] = int(valores["memoria_kb"])
    return resultado


def _numero(texto: str | None, tipo):
    try:
        return tipo(texto.replace(",", ".")) if texto is not None else None
    except ValueError:
        return None


def ler_fases(log: Path) -> list[Fase]:
    """The phase lines of the run log ("... fase numero=5 fontes=120
    linhas=340 segundos=2.31"); none when the program writes no log."""
    if not log.exists():
        return []
    fases = []
    for linha in log.read_text(encoding="utf-8", errors="replace").splitlines():
        achado = FASE.search(linha)
        if not achado:
            continue
        campos = dict(CHAVE_VALOR.findall(achado.group(2)))
        fases.append(Fase(numero=int(achado.group(1)), segundos=_numero(campos.get("segundos"), float),
                          fontes=_numero(campos.get("fontes"), int), linhas=_numero(campos.get("linhas"), int)))
    return fases
