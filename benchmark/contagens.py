"""What a run must write, counted from the database before the run, and
what it wrote, counted after. The expectations follow the documented rules
of the phases, written here as selections of their own; they count on two
habits of the generated data: commission reductions only ever exceed every
commission of their invoice (gerar-dados.sql), and no other row ends at 0."""

from dataclasses import dataclass
from pathlib import Path

from benchmark import banco

SLOTS = ("", "2", "3", "4", "5")


def verdadeiro(condicao: str) -> str:
    # A comparison with NULL is neither true nor false; iif takes it as false.
    return f"iif({condicao}, 1, 0) = 1"


def nao_verdadeiro(condicao: str) -> str:
    return f"iif({condicao}, 1, 0) = 0"


PENDENTE = "mc.st_calc_comissao = 'S' and mc.vl_total_nf > 0 and mc.id_st_nf in (3, 5)"
INCONSISTENTE = ("(mc.vl_produtos <> (select sum(i.vl_total) from mov_nf_comercio_item i"
                 " where i.id_nf_comercio = mc.id_nf_comercio)"
                 " or mc.vl_financeiro <> (select sum(f.vl_documento) from mov_financeiro f"
                 " where f.id_nf_comercio = mc.id_nf_comercio))")
VAI_PARA_6 = f"{PENDENTE} and {verdadeiro(INCONSISTENTE)}"
NF_CONGELADA = ("exists (select 1 from mov_comissao c where c.tp_registro = '1'"
                " and c.id_nf_comercio = mc.id_nf_comercio and c.id_comissao_gerada is not null)")
DUP_CONGELADA = ("exists (select 1 from mov_comissao c where c.tp_registro = '2'"
                 " and c.id_financeiro = mf.id_financeiro and c.id_comissao_gerada is not null)")
ACERTO_CONGELADO = ("exists (select 1 from mov_comissao c where c.tp_registro = '3'"
                    " and c.id_acerto_comissao = ma.id_acerto_comissao and c.id_comissao_gerada is not null)")
ZERADA = ("exists (select 1 from mov_nf_comercio_item i where i.id_nf_comercio = mc.id_nf_comercio"
          " and i.vl_unit_reducao_comissao > 0)")
DEVOLVIDA = "mc.st_devolvido = 'S'"
GERA_COMISSAO = (f"{nao_verdadeiro(VAI_PARA_6)} and {nao_verdadeiro(DEVOLVIDA)}"
                 f" and tno.st_comissao_pagar = 'S' and {nao_verdadeiro(ZERADA)}")
SEM_CANHOTO = ("exists (select 1 from mov_nf_comercio n"
               " inner join tab_nat_operacao t on (t.id_nat_operacao = n.id_nat_operacao)"
               " left join fix_situacao_orcamento s on (s.id_situacao_orcamento = n.id_situacao_orcamento)"
               " where n.id_nf_comercio = m.id_nf_comercio and n.dt_emissao >= '2012-08-02'"
               " and n.dt_emissao < current_date - 45 and t.st_verifica_fase = 'S'"
               " and (n.id_situacao_orcamento is null or s.st_pagar_comissao <> 'S'))")
VENCIDA = ("exists (select 1 from mov_financeiro f inner join tab_plano_pagto p"
           " on (p.id_plano_pagto = mc.id_plano_pagto) where f.id_nf_comercio = mc.id_nf_comercio"
           " and f.dt_baixa is null and f.dt_vencto < current_date - p.qt_dias_estorna_comissao"
           " and f.id_tp_mov_financ in (2, 8))")
MARCADA = (f"mc.vl_total_nf > 0 and mc.id_st_nf in (3, 5) and {nao_verdadeiro(VAI_PARA_6)}"
           f" and (mc.st_calc_estorno = 'S' or (mc.st_estornar_comissao = 'S' and mc.id_comissao_estornada is null"
           f" and {VENCIDA}))")


def _soma_slots(condicao: str) -> str:
    return " + ".join(f"iif({condicao.format(s=s)}, 1, 0)" for s in SLOTS)


TIPO1_POR_NF = _soma_slots("coalesce(mc.id_vendedor{s}, 0) >= 1 and mc.st_credito_fat{s} = 'S'")
TIPO2_POR_DUP = _soma_slots("coalesce(mc.id_vendedor{s}, 0) >= 1 and"
                            " iif(mc.st_credito_fat{s} = 'S' and mc.PO_CREDITO_FAT{s} >= 100, 1, 0) = 0")
ANTECIPADAS_POR_NF = _soma_slots("coalesce(mc.id_vendedor{s}, 0) > 0 and mc.st_credito_fat{s} = 'S'")
DUP_SELECIONADA = ("mf.st_calc_comissao = 'S' and mf.vl_documento > 0 and mc.vl_total_nf > 0"
                   f" and mc.id_st_nf in (3, 5) and {nao_verdadeiro(VAI_PARA_6)}")
NF_COM_NATUREZA = ("from mov_nf_comercio mc inner join tab_nat_operacao tno"
                   " on (tno.id_nat_operacao = mc.id_nat_operacao)")

ESTORNO = "ESTORNO REF CANHOTO"
PAGAMENTO = "PAGTO REF CANHOTO"
ANTECIPADA = "Estorno da comissão antecipada"


@dataclass
class Contagem:
    """Rows of mov_comissao by type and of mov_acerto_comissao by origin,
    and the sources still pending afterwards."""
    tipo1: int
    tipo2: int
    tipo3: int
    estornos: int
    pagamentos: int
    antecipadas: int
    nfs_pendentes: int
    dups_pendentes: int
    acertos_pendentes: int
    nfs_estado6: int
    logs: int

    def linhas(self) -> int:
        return self.tipo1 + self.tipo2 + self.tipo3 + self.estornos + self.pagamentos + self.antecipadas

    def diferencas(self, outra: "Contagem") -> list[str]:
        return [f"{nome}: esperado {esperado}, obtido {obtido}"
                for nome, esperado, obtido in ((n, getattr(self, n), getattr(outra, n)) for n in self.__dict__)
                if esperado != obtido]


@dataclass
class Antes:
    """The state before the run that the counts after it are read against."""
    esperado: Contagem
    max_comissao: int
    max_acerto: int
    linhas_comissao: int
    nfs_pendentes: int
    dups_pendentes: int
    acertos_pendentes: int


def antes(arquivo: Path) -> Antes:
    v = [int(x) if x != banco.NULO else 0 for x in banco.valores(arquivo, [
        f"(select sum({TIPO1_POR_NF}) {NF_COM_NATUREZA} where {PENDENTE} and {GERA_COMISSAO}"
        f" and {nao_verdadeiro(NF_CONGELADA)})",
        f"(select sum({TIPO2_POR_DUP}) from mov_financeiro mf inner join mov_nf_comercio mc"
        f" on (mc.id_nf_comercio = mf.id_nf_comercio) inner join tab_nat_operacao tno"
        f" on (tno.id_nat_operacao = mc.id_nat_operacao) where {DUP_SELECIONADA} and {GERA_COMISSAO}"
        f" and {nao_verdadeiro(DUP_CONGELADA)})",
        f"(select count(*) from mov_acerto_comissao ma where ma.st_calc_comissao = 'S'"
        f" and {nao_verdadeiro(ACERTO_CONGELADO)})",
        f"(select count(*) from mov_comissao m where {SEM_CANHOTO} and coalesce(m.st_estorno_1, 'N') = 'N')",
        f"(select count(*) from mov_comissao m where {nao_verdadeiro(SEM_CANHOTO)} and m.st_estorno_1 = 'S')",
        f"(select sum({ANTECIPADAS_POR_NF}) from mov_nf_comercio mc where {MARCADA})",
        "(select count(*) from mov_nf_comercio where st_calc_comissao = 'S')",
        f"(select count(*) from mov_nf_comercio mc where {PENDENTE} and"
        f" ({verdadeiro(INCONSISTENTE)} or {nao_verdadeiro(NF_CONGELADA)}))",
        "(select count(*) from mov_financeiro where st_calc_comissao = 'S')",
        "(select count(*) from mov_acerto_comissao where st_calc_comissao = 'S')",
        "(select count(*) from mov_nf_comercio where id_st_nf = 6)",
        f"(select count(*) from mov_nf_comercio mc where {VAI_PARA_6})",
        "(select count(*) from mov_log_controle where id_log_evento = 18)",
        "(select max(id_comissao) from mov_comissao)",
        "(select max(id_acerto_comissao) from mov_acerto_comissao)",
        "(select count(*) from mov_comissao)",
        # Left pending: those phase 6 does not take, and those of an invoice
        # whose advance phase 9 takes back, sent back to phase 6.
        f"(select count(*) from mov_financeiro mf left join mov_nf_comercio mc"
        f" on (mc.id_nf_comercio = mf.id_nf_comercio) where (mf.st_calc_comissao = 'S'"
        f" and {nao_verdadeiro(f'{DUP_SELECIONADA} and {nao_verdadeiro(DUP_CONGELADA)}')})"
        f" or (mf.id_comissao_gerada is null and {verdadeiro(MARCADA)} and ({ANTECIPADAS_POR_NF}) > 0))",
    ])]
    (tipo1, tipo2, acertos_livres, estornos, pagamentos, antecipadas, nfs, nfs_tratadas, dups,
     acertos, estado6, para6, logs, max_comissao, max_acerto, linhas_comissao, dups_deixadas) = v
    esperado = Contagem(tipo1=tipo1, tipo2=tipo2, tipo3=acertos_livres + estornos + pagamentos, estornos=estornos,
                        pagamentos=pagamentos, antecipadas=antecipadas, nfs_pendentes=nfs - nfs_tratadas,
                        dups_pendentes=dups_deixadas,
                        acertos_pendentes=acertos - acertos_livres + antecipadas, nfs_estado6=estado6 + para6,
                        logs=logs + para6)
    return Antes(esperado=esperado, max_comissao=max_comissao, max_acerto=max_acerto,
                 linhas_comissao=linhas_comissao, nfs_pendentes=nfs, dups_pendentes=dups, acertos_pendentes=acertos)


def depois(arquivo: Path, anterior: Antes) -> tuple[Contagem, list[str]]:
    """The rows the run added (identifiers above the largest before it),
    and the other facts a run must leave: no row of value 0, every older
    row still there."""
    novos = f"from mov_comissao where id_comissao > {anterior.max_comissao}"
    novos_acertos = f"from mov_acerto_comissao where id_acerto_comissao > {anterior.max_acerto}"
    v = [int(x) if x != banco.NULO else 0 for x in banco.valores(arquivo, [
        f"(select count(*) {novos} and tp_registro = '1')",
        f"(select count(*) {novos} and tp_registro = '2')",
        f"(select count(*) {novos} and tp_registro = '3')",
        f"(select count(*) {novos_acertos} and tp_acerto = 'D' and ds_acerto starting with '{ESTORNO}')",
        f"(select count(*) {novos_acertos} and tp_acerto = 'A' and ds_acerto starting with '{PAGAMENTO}')",
        f"(select count(*) {novos_acertos} and tp_acerto = 'D' and ds_acerto starting with '{ANTECIPADA}')",
        "(select count(*) from mov_nf_comercio where st_calc_comissao = 'S')",
        "(select count(*) from mov_financeiro where st_calc_comissao = 'S')",
        "(select count(*) from mov_acerto_comissao where st_calc_comissao = 'S')",
        "(select count(*) from mov_nf_comercio where id_st_nf = 6)",
        "(select count(*) from mov_log_controle where id_log_evento = 18)",
        f"(select count(*) {novos_acertos})",
        f"(select count(*) from mov_comissao where id_comissao <= {anterior.max_comissao})",
        "(select count(*) from mov_comissao where vl_comissao = 0)",
    ])]
    contagem = Contagem(*v[:11])
    falhas = []
    outras_acertos = v[11] - contagem.estornos - contagem.pagamentos - contagem.antecipadas
    if outras_acertos:
        falhas.append(f"{outras_acertos} acertos novos de origem desconhecida")
    if v[12] != anterior.linhas_comissao:
        falhas.append(f"linhas antigas de mov_comissao: eram {anterior.linhas_comissao}, restam {v[12]}")
    if v[13]:
        falhas.append(f"{v[13]} linhas de mov_comissao com valor 0 depois da execução")
    return contagem, falhas
