"""What the benchmark prints: one block per size while it runs, then a
table of all sizes and the ratios between them."""

import os
from dataclasses import dataclass, field

from benchmark.contagens import Antes, Contagem
from benchmark.instalacao import Execucao, Fase

# The run may grow at most this much faster than its pending work, the
# history may cost at most this much, and the run may take at most this many
# times the set-based script's time.
FOLGA_LINEAR = 1.05
LIMITE_HISTORICO = 1.1
LIMITE_CONJUNTO = 5


@dataclass
class Resultado:
    pendentes: int
    historico: int
    geracao: float
    antes: Antes
    execucoes: list[Execucao]
    contagem: Contagem
    piso: float
    conjunto: list[float]
    referencia: Execucao | None = None
    falhas: list[str] = field(default_factory=list)
    comparadas: int = 0

    @property
    def execucao(self) -> Execucao:
        """The run of median wall time: on a shared machine a single run can
        be several times slower than the next."""
        return sorted(self.execucoes, key=lambda e: e.segundos)[(len(self.execucoes) - 1) // 2]

    @property
    def nome(self) -> str:
        return f"N={self.pendentes} H={self.historico}"

    @property
    def razao_piso(self) -> float:
        return self.execucao.segundos / self.piso if self.piso > 0 else float("inf")

    @property
    def tempo_conjunto(self) -> float:
        """The set-based script's median: it ran once beside each run."""
        return sorted(self.conjunto)[(len(self.conjunto) - 1) // 2]

    @property
    def razao_conjunto(self) -> float:
        return self.execucao.segundos / self.tempo_conjunto


def _meta(razao: float, limite: float) -> str:
    return f"(meta ≤ {limite:g}: {'atingida' if razao <= limite else 'NÃO atingida'})"


def _mb(kb: int | None) -> str:
    return f"{kb / 1024:.0f} MB" if kb is not None else "n/d"


def _segundos(valor: float | None, casas: int = 1) -> str:
    return f"{valor:.{casas}f} s" if valor is not None else "n/d"


def _fase(f: Fase) -> str:
    contagens = ", ".join(f"{valor} {nome}" for nome, valor in (("fontes", f.fontes), ("linhas", f.linhas))
                          if valor is not None)
    return f"{f.numero}: {_segundos(f.segundos, 2)}" + (f" ({contagens})" if contagens else "")


def _fases(execucao: Execucao) -> str:
    if not execucao.fases:
        return "n/d (o programa não gravou telmoraComissao2.log)"
    return " | ".join(_fase(f) for f in execucao.fases)


def _soma_fases(execucao: Execucao) -> str:
    tempos = [f.segundos for f in execucao.fases if f.segundos is not None]
    return f"{sum(tempos):.1f} s" if tempos else "n/d"


def bloco(r: Resultado) -> str:
    c = r.contagem
    linhas = [
        f"== {r.nome} ==",
        f"geração dos dados:   {r.geracao:.1f} s; pendentes: {r.antes.nfs_pendentes} NFs,"
        f" {r.antes.dups_pendentes} duplicatas, {r.antes.acertos_pendentes} acertos;"
        f" mov_comissao com {r.antes.linhas_comissao} linhas",
        f"execução (manual):   {r.execucao.segundos:.1f} s (CPU {_segundos(r.execucao.cpu)}), pico de memória"
        f" {_mb(r.execucao.memoria_kb)}, código de saída {r.execucao.codigo}"
        + (f"; mediana de {', '.join(f'{e.segundos:.1f}' for e in r.execucoes)} s" if len(r.execucoes) > 1 else ""),
        f"carga da máquina:    {r.execucao.carga[0]:.1f} no início, {r.execucao.carga[1]:.1f} no fim"
        f" (média de 1 min; {os.cpu_count()} núcleos)",
        f"linhas gravadas:     {c.linhas()} (mov_comissao tipo 1: {c.tipo1}, tipo 2: {c.tipo2}, tipo 3: {c.tipo3};"
        f" mov_acerto_comissao estornos: {c.estornos}, pagamentos: {c.pagamentos},"
        f" antecipadas: {c.antecipadas})",
        f"tempo por fase:      {_fases(r.execucao)}",
        f"piso (EXECUTE BLOCK): {r.piso:.2f} s; execução / piso = {r.razao_piso:.0f}",
        f"script em conjunto:  {r.tempo_conjunto:.2f} s"
        + (f" (mediana de {', '.join(f'{t:.2f}' for t in r.conjunto)} s)" if len(r.conjunto) > 1 else "")
        + f"; execução / conjunto = {r.razao_conjunto:.2f} {_meta(r.razao_conjunto, LIMITE_CONJUNTO)}",
    ]
    if r.referencia:
        linhas.append(f"referência:          {r.referencia.segundos:.1f} s (CPU {_segundos(r.referencia.cpu)}),"
                      f" pico de memória {_mb(r.referencia.memoria_kb)};"
                      f" medido / referência = {r.execucao.segundos / r.referencia.segundos:.2f}")
    if r.falhas:
        linhas.append("verificação:         FALHOU")
        linhas += [f"  - {falha}" for falha in r.falhas]
    else:
        linhas.append(f"verificação:         ok (contagens; {r.comparadas} linhas do tipo 1 recalculadas"
                      + ("; conteúdo igual ao da referência" if r.referencia else "") + ")")
    return "\n".join(linhas)


def tabela(resultados: list[Resultado]) -> str:
    cabecalho = ("| pendentes (N) | histórico (H) | execução | CPU | soma das fases | linhas gravadas |"
                 " em conjunto | execução / em conjunto | piso | execução / piso | pico de memória | verificação |")
    separador = "|" + "---|" * 12
    corpo = [f"| {r.pendentes} | {r.historico} | {r.execucao.segundos:.1f} s | {_segundos(r.execucao.cpu)} |"
             f" {_soma_fases(r.execucao)} | {r.contagem.linhas()} | {r.tempo_conjunto:.2f} s |"
             f" {r.razao_conjunto:.1f} | {r.piso:.2f} s | {r.razao_piso:.0f} |"
             f" {_mb(r.execucao.memoria_kb)} | {'ok' if not r.falhas else 'FALHOU'} |" for r in resultados]
    return "\n".join([cabecalho, separador] + corpo)


def razoes(resultados: list[Resultado]) -> list[str]:
    """Every pair that one of the targets speaks of: more pending work
    without history (at most FOLGA_LINEAR times linear), and history under
    the same pending work (at most LIMITE_HISTORICO); and each size against
    its set-based script (at most LIMITE_CONJUNTO)."""
    linhas = [f"T({r.nome}) / T(script em conjunto) = {r.razao_conjunto:.2f} {_meta(r.razao_conjunto, LIMITE_CONJUNTO)}"
              for r in resultados]
    for a in resultados:
        for b in resultados:
            razao = b.execucao.segundos / a.execucao.segundos
            if a.historico == b.historico == 0 and a.pendentes < b.pendentes:
                meta = FOLGA_LINEAR * b.pendentes / a.pendentes
                memoria = (f"; pico de memória ×{b.execucao.memoria_kb / a.execucao.memoria_kb:.2f}"
                           if a.execucao.memoria_kb and b.execucao.memoria_kb else "")
                linhas.append(f"T({b.nome}) / T({a.nome}) = {razao:.2f} {_meta(razao, round(meta, 1))}{memoria}")
            elif a.pendentes == b.pendentes and a.historico == 0 < b.historico:
                linhas.append(f"T({b.nome}) / T({a.nome}) = {razao:.2f} {_meta(razao, LIMITE_HISTORICO)}")
    return linhas
