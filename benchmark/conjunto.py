"""The set-based reference: on a copy of the same database, the rows a run
writes and the flags it clears, written by a handful of set-based
statements (insert ... select, update ... where exists, merge) in one
transaction. The sources and sellers are picked by the rules the counts of
contagens follow, so it writes as many rows of each kind as the run, for
the same invoices, receivables, settlements and sellers; its amounts are
simpler (no per-item sharing, no installment factors), so they need not
match the run's to the cent. Its time is that of the whole isql-fb call,
as for the floor; the identifiers come from two sequences created on the
copy beforehand, outside the time."""

import time
from collections import Counter
from pathlib import Path

from benchmark import banco
from benchmark.contagens import (ACERTO_CONGELADO, ANTECIPADAS_POR_NF, DEVOLVIDA, DUP_CONGELADA, DUP_SELECIONADA,
                                 NF_CONGELADA, PENDENTE, SEM_CANHOTO, SLOTS, VAI_PARA_6, nao_verdadeiro)

SEQUENCIA_COMISSAO = "SQ_CONJUNTO_COMISSAO"
SEQUENCIA_ACERTO = "SQ_CONJUNTO_ACERTO"
COLUNAS_COMISSAO = ("ID_COMISSAO, TP_REGISTRO, ID_NF_COMERCIO, ID_FINANCEIRO, ID_ACERTO_COMISSAO, ID_EMPRESA,"
                    " ID_VENDEDOR, DS_SERIE, NO_DOCUMENTO, DT_EMISSAO, ID_CLIENTE, NM_CLIENTE, VL_OPERACAO,"
                    " VL_BASE_COMISSAO, PO_COMISSAO, VL_COMISSAO, ST_IRRF, DT_CREDITO, ST_RECEBIMENTO, ST_ENTREGA,"
                    " ID_COMISSAO_GERADA, ST_CANCELADA, ST_PAGAR, ST_BLOQUEIO_1, ST_ESTORNO_1")
COLUNAS_ACERTO = ("ID_ACERTO_COMISSAO, DT_PAGAMENTO, ID_VENDEDOR, VL_ACERTO, TP_ACERTO, ST_IRRF, DS_ACERTO,"
                  " ID_EMPRESA, ID_COMISSAO_GERADA, ST_CALC_COMISSAO, ID_COMISSAO_ESTORNADA")
NOVO_ID_COMISSAO = f"next value for {SEQUENCIA_COMISSAO}"
NOVO_ID_ACERTO = f"next value for {SEQUENCIA_ACERTO}"

# The five seller slots as rows, to cross with the invoices.
NUMEROS_SLOT = " union all ".join(f"select {n} as n from rdb$database" for n in range(1, len(SLOTS) + 1))
NF_E_SLOTS = (f"from mov_nf_comercio mc inner join tab_nat_operacao tno on (tno.id_nat_operacao = mc.id_nat_operacao)"
              f" cross join ({NUMEROS_SLOT}) s")


def slot(coluna: str) -> str:
    """The invoice's column of the slot s.n (id_vendedor, id_vendedor2, ...)."""
    return "decode(s.n, " + ", ".join(f"{n}, mc.{coluna}{sufixo}" for n, sufixo in enumerate(SLOTS, 1)) + ")"


GERA_COMISSAO = f"{nao_verdadeiro(DEVOLVIDA)} and tno.st_comissao_pagar = 'S'"
SLOT_FATURAMENTO = f"coalesce({slot('id_vendedor')}, 0) >= 1 and {slot('st_credito_fat')} = 'S'"
SLOT_RECEBIMENTO = (f"coalesce({slot('id_vendedor')}, 0) >= 1 and iif({slot('st_credito_fat')} = 'S'"
                    f" and {slot('PO_CREDITO_FAT')} >= 100, 1, 0) = 0")
ITENS = "from mov_nf_comercio_item i where i.id_nf_comercio = mc.id_nf_comercio"
REDUCAO = ("coalesce((select sum(i.qt_produto * i.vl_unit_reducao_comissao) from mov_nf_comercio_item i"
           " inner join cad_produto cp on (cp.id_produto = i.id_produto) where i.id_nf_comercio = mc.id_nf_comercio),"
           " 0)")
BASE = (f"decode(tno.id_sugerir_comissao, 5, mc.vl_resultado_venda,"
        f" 6, (select sum(i.qt_produto * i.vl_unitario) {ITENS}) - coalesce(mc.vl_desconto, 0),"
        f" iif(s.n > 1 and mc.tp_base_comissao_outros = 'C', mc.vl_comissao, mc.vl_base_comissao))")
# The slot's commission on the base, less the invoice's reduction, in the
# share `parte` (percent) of the whole; never below 0.
# In double precision: products of four-decimal numbers overflow NUMERIC(18).
COMISSAO = ("maxvalue(coalesce(cast((cast({base} as double precision) * {po} / 100 - {reducao}) * ({parte}) / 100"
            " as numeric(18, 2)), 0), 0)")
CREDITADA = f"coalesce({slot('PO_CREDITO_FAT')}, 0)"
PARCELA = "cast(mf.vl_documento as double precision) / mc.vl_total_nf"
RECEBIDA = f"(100 - iif({slot('st_credito_fat')} = 'S', {CREDITADA}, 0)) * {PARCELA}"

NOTA_A_CALCULAR = f"{PENDENTE} and {nao_verdadeiro(NF_CONGELADA)}"
DUP_A_CALCULAR = f"{DUP_SELECIONADA} and {nao_verdadeiro(DUP_CONGELADA)}"
ACERTO_A_CALCULAR = f"ma.st_calc_comissao = 'S' and {nao_verdadeiro(ACERTO_CONGELADO)}"
ESTORNO_A_CALCULAR = "mc.st_calc_estorno = 'S' and mc.vl_total_nf > 0 and mc.id_st_nf in (3, 5)"
VENCIDAS = ("select distinct mf.id_nf_comercio from mov_financeiro mf inner join mov_nf_comercio nf"
            " on (nf.id_nf_comercio = mf.id_nf_comercio) inner join tab_plano_pagto tpp"
            " on (tpp.id_plano_pagto = nf.id_plano_pagto) where mf.dt_baixa is null"
            " and mf.dt_vencto < current_date - tpp.qt_dias_estorna_comissao and mf.id_tp_mov_financ in (2, 8)")


def _acertos_canhoto(condicao: str, texto: str, tipo: str, novo_estorno: str) -> str:
    """Phases 3 and 4: one settlement per movement in `condicao`, then its flag."""
    return f"""
insert into mov_acerto_comissao ({COLUNAS_ACERTO})
    select {NOVO_ID_ACERTO}, maxvalue(current_date, coalesce(m.dt_credito, current_date)), m.id_vendedor,
        m.vl_comissao, '{tipo}', 'N',
        '{texto} ' || iif(m.tp_registro = '1', 'NF ', 'DUP ') || coalesce(m.no_documento, ''), m.id_empresa, null,
        'S', null
    from mov_comissao m where {condicao};
update mov_comissao m set m.st_estorno_1 = '{novo_estorno}' where {condicao};
"""


def script() -> str:
    """Every statement, in the order of the run's phases."""
    return f"""
update mov_nf_comercio mc set
    mc.vl_base_comissao = (select sum(i.qt_produto * (i.vl_unitario - iif(i.st_frete_incluso = 'S',
        coalesce(i.vl_frete_unit, 0), 0))) {ITENS}) - coalesce(mc.vl_desconto, 0),
    mc.po_comissao = (select cast(sum(i.vl_total * i.po_comissao) / nullif(sum(i.vl_total), 0) as numeric(18, 2))
        {ITENS})
    where mc.st_calc_comissao = 'S' and coalesce(mc.tp_base_comissao_outros, 'P') <> 'R';
update mov_nf_comercio mc set mc.vl_comissao = cast(mc.vl_base_comissao * mc.po_comissao / 100 as numeric(18, 2))
    where mc.st_calc_comissao = 'S' and coalesce(mc.tp_base_comissao_outros, 'P') <> 'R';

update mov_comissao set st_bloqueio_1 = 'N' where st_bloqueio_1 is null;
update mov_comissao set st_estorno_1 = 'N' where st_estorno_1 is null;
update mov_comissao m set m.st_bloqueio_1 = 'N' where m.st_bloqueio_1 = 'S' and {nao_verdadeiro(SEM_CANHOTO)};
merge into mov_comissao m using (select n.id_nf_comercio from mov_nf_comercio n
        inner join tab_nat_operacao t on (t.id_nat_operacao = n.id_nat_operacao)
        left join fix_situacao_orcamento so on (so.id_situacao_orcamento = n.id_situacao_orcamento)
        where n.dt_emissao >= '2012-08-02' and n.dt_emissao < current_date - 45 and t.st_verifica_fase = 'S'
        and (n.id_situacao_orcamento is null or so.st_pagar_comissao <> 'S')) b
    on (m.id_nf_comercio = b.id_nf_comercio)
    when matched and m.st_bloqueio_1 = 'N' then update set m.st_bloqueio_1 = 'S';
{_acertos_canhoto("m.st_bloqueio_1 = 'S' and m.st_estorno_1 = 'N'", "ESTORNO REF CANHOTO NÃO RECEBIDO", "D", "S")}
{_acertos_canhoto("m.st_bloqueio_1 = 'N' and m.st_estorno_1 = 'S'", "PAGTO REF CANHOTO NÃO RECEBIDO", "A", "N")}

insert into mov_log_controle (ID_LOG_EVENTO, DH_LOG_EVENTO, ID_LOG_USUARIO, ID_LOG_REGISTRO, DS_LOG_OBSERVACAO)
    select 18, current_timestamp, -1, mc.id_nf_comercio, 'Cálculo de Comissão' from mov_nf_comercio mc
    where {VAI_PARA_6};
update mov_nf_comercio mc set mc.st_calc_comissao = 'N', mc.id_st_nf = 6 where {VAI_PARA_6};
merge into mov_comissao c using (select mc.id_nf_comercio from mov_nf_comercio mc where {NOTA_A_CALCULAR}) p
    on (c.id_nf_comercio = p.id_nf_comercio and c.tp_registro = '1') when matched then delete;
insert into mov_comissao ({COLUNAS_COMISSAO})
    select {NOVO_ID_COMISSAO}, '1', mc.id_nf_comercio, null, null, mc.id_empresa, {slot('id_vendedor')},
        mc.ds_serie_nf, mc.nr_nota_fiscal, mc.dt_emissao, mc.id_destinatario_remetente,
        (select p.nm_pesquisa from cad_pessoa p where p.id_pessoa = mc.id_destinatario_remetente), mc.vl_total_nf,
        {BASE}, {slot('po_comissao')},
        {COMISSAO.format(base=BASE, po=slot('po_comissao'), reducao=REDUCAO, parte=CREDITADA)},
        'S', mc.dt_emissao, 'S', 'S', null, 'N', tno.st_comissao_pagar, 'N', 'N'
    {NF_E_SLOTS} where {NOTA_A_CALCULAR} and {GERA_COMISSAO} and {SLOT_FATURAMENTO};
update mov_nf_comercio mc set mc.st_calc_comissao = 'N' where {NOTA_A_CALCULAR};

merge into mov_comissao c using (select mf.id_financeiro from mov_financeiro mf
        inner join mov_nf_comercio mc on (mc.id_nf_comercio = mf.id_nf_comercio) where {DUP_A_CALCULAR}) p
    on (c.id_financeiro = p.id_financeiro and c.tp_registro = '2') when matched then delete;
insert into mov_comissao ({COLUNAS_COMISSAO})
    select {NOVO_ID_COMISSAO}, '2', mc.id_nf_comercio, mf.id_financeiro, null, mc.id_empresa, {slot('id_vendedor')},
        null, mf.no_documento, mc.dt_emissao, mc.id_destinatario_remetente,
        (select p.nm_pesquisa from cad_pessoa p where p.id_pessoa = mc.id_destinatario_remetente), mf.vl_documento,
        cast({BASE} * {PARCELA} as numeric(18, 2)), {slot('po_comissao')},
        {COMISSAO.format(base=BASE, po=slot('po_comissao'), reducao=REDUCAO, parte=RECEBIDA)},
        'S', coalesce(mf.dt_baixa, mf.dt_vencto), iif(mf.dt_baixa is null, 'N', 'S'), 'S', null, 'N',
        tno.st_comissao_pagar, 'N', 'N'
    from mov_financeiro mf inner join mov_nf_comercio mc on (mc.id_nf_comercio = mf.id_nf_comercio)
    inner join tab_nat_operacao tno on (tno.id_nat_operacao = mc.id_nat_operacao) cross join ({NUMEROS_SLOT}) s
    where {DUP_A_CALCULAR} and {GERA_COMISSAO} and {SLOT_RECEBIMENTO};
update mov_financeiro mf set mf.st_calc_comissao = 'N' where mf.st_calc_comissao = 'S'
    and exists (select 1 from mov_nf_comercio mc where mc.id_nf_comercio = mf.id_nf_comercio and {DUP_A_CALCULAR});

merge into mov_comissao c using (select ma.id_acerto_comissao from mov_acerto_comissao ma
        where {ACERTO_A_CALCULAR}) p
    on (c.id_acerto_comissao = p.id_acerto_comissao and c.tp_registro = '3') when matched then delete;
insert into mov_comissao ({COLUNAS_COMISSAO})
    select {NOVO_ID_COMISSAO}, '3', null, null, ma.id_acerto_comissao, ma.id_empresa, ma.id_vendedor, null, null,
        ma.dt_pagamento, ma.id_empresa, ma.ds_acerto, ma.vl_acerto, ma.vl_acerto, 0,
        iif(ma.tp_acerto = 'A', ma.vl_acerto, -ma.vl_acerto), ma.st_irrf, ma.dt_pagamento, 'S', 'S', null, 'N', 'S',
        'N', 'N'
    from mov_acerto_comissao ma where {ACERTO_A_CALCULAR};
update mov_acerto_comissao ma set ma.st_calc_comissao = 'N' where {ACERTO_A_CALCULAR};

merge into mov_nf_comercio mc using ({VENCIDAS}) v on (mc.id_nf_comercio = v.id_nf_comercio)
    when matched and mc.st_estornar_comissao = 'S' and coalesce(mc.st_calc_estorno, 'N') <> 'S'
        and mc.id_comissao_estornada is null and mc.vl_total_nf > 0 and mc.id_st_nf in (3, 5)
    then update set mc.st_calc_estorno = 'S';
update mov_financeiro mf set mf.st_estornar_comissao = 'S' where mf.id_comissao_gerada is null and exists
    (select 1 from mov_nf_comercio mc where mc.id_nf_comercio = mf.id_nf_comercio and mc.st_calc_estorno = 'S');
update mov_nf_comercio mc set mc.po_comissao_estornada = (select sum(mf.vl_documento) from mov_financeiro mf
    where mf.id_nf_comercio = mc.id_nf_comercio and mf.id_comissao_gerada is null) / mc.vl_total_nf * 100
    where {ESTORNO_A_CALCULAR};
insert into mov_acerto_comissao ({COLUNAS_ACERTO})
    select {NOVO_ID_ACERTO}, current_date, {slot('id_vendedor')},
        cast(coalesce((select sum(c.vl_comissao) from mov_comissao c where c.tp_registro = '1'
            and c.id_nf_comercio = mc.id_nf_comercio and c.id_vendedor = {slot('id_vendedor')}), 0)
            * cast(minvalue(coalesce(mc.po_comissao_estornada, 0), 100) as double precision) / 100
            as numeric(18, 2)),
        'D', 'S', 'Estorno da comissão antecipada da NF ' || mc.nr_nota_fiscal, mc.id_empresa, null, 'S',
        mc.id_nf_comercio
    from mov_nf_comercio mc cross join ({NUMEROS_SLOT}) s
    where {ESTORNO_A_CALCULAR} and coalesce({slot('id_vendedor')}, 0) > 0 and {slot('st_credito_fat')} = 'S';
update mov_financeiro mf set mf.st_calc_comissao = 'S' where mf.id_comissao_gerada is null and exists
    (select 1 from mov_nf_comercio mc where mc.id_nf_comercio = mf.id_nf_comercio and {ESTORNO_A_CALCULAR}
     and ({ANTECIPADAS_POR_NF}) > 0);
update mov_nf_comercio mc set {", ".join(
        f"mc.st_credito_fat{s} = iif(coalesce(mc.id_vendedor{s}, 0) > 0 and mc.st_credito_fat{s} = 'S', 'N',"
        f" mc.st_credito_fat{s})"
        for s in SLOTS)},
    mc.st_calc_estorno = 'N', mc.id_comissao_estornada = mc.id_nf_comercio
    where {ESTORNO_A_CALCULAR};

delete from mov_comissao where vl_comissao = 0;
commit;
"""


def preparar(copia: Path, max_comissao: int, max_acerto: int) -> None:
    """The sequences that number the new rows, continuing after the largest
    identifiers, created and committed before the time starts."""
    banco.executar(copia, f"create sequence {SEQUENCIA_COMISSAO} start with {max_comissao + 1};\n"
                          f"create sequence {SEQUENCIA_ACERTO} start with {max_acerto + 1};\ncommit;\n")


def medir(copia: Path) -> float:
    """Seconds of the whole isql-fb call: attach, statements, commit, detach."""
    inicio = time.monotonic()
    banco.executar(copia, script())
    return time.monotonic() - inicio


def chaves(arquivo: Path, max_comissao: int, max_acerto: int) -> Counter:
    """What makes two runs' new rows the same rows whatever their amounts:
    per commission row its type, invoice, receivable, settlement and seller;
    per settlement its type, seller and reversed invoice. A settlement
    written by the run itself counts as "novo", its identifier being the
    order it was written in."""
    acerto = f"iif(ID_ACERTO_COMISSAO > {max_acerto}, 'novo', ID_ACERTO_COMISSAO)"
    comissoes = banco.linhas(arquivo, ["TP_REGISTRO", "ID_NF_COMERCIO", "ID_FINANCEIRO", acerto, "ID_VENDEDOR"],
                             f"from mov_comissao where ID_COMISSAO > {max_comissao}")
    acertos = banco.linhas(arquivo, ["TP_ACERTO", "ID_VENDEDOR", "ID_COMISSAO_ESTORNADA"],
                           f"from mov_acerto_comissao where ID_ACERTO_COMISSAO > {max_acerto}")
    return Counter(["comissão " + " ".join(c) for c in comissoes] + ["acerto " + " ".join(a) for a in acertos])
