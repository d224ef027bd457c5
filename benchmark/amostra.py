"""The values of a sample of the run's rows, computed here from the data as
it was before the run, without the program's code:

- type "1" rows of invoices of commission modes 0 to 5: phase 1's three
  statements evaluated with the database's exact decimal rules (products
  exact, quotients cut at the sum of the scales, casts rounded half away
  from zero) and the program's rounding of what it writes back, then phase
  5's arithmetic;
- every type "3" row against its settlement.

Where the program rounds a binary (extended) result, an exact tie can go
either way; such a value accepts both neighbours. Nothing else is loose."""

import math
from dataclasses import dataclass
from decimal import ROUND_DOWN, ROUND_HALF_EVEN, ROUND_HALF_UP, Decimal, getcontext
from fractions import Fraction
from pathlib import Path

from benchmark import banco
from benchmark.contagens import GERA_COMISSAO, NF_COM_NATUREZA, NF_CONGELADA, PENDENTE, SLOTS, nao_verdadeiro

getcontext().prec = 60
CENTAVO = Decimal("0.01")

COLUNAS_NF = {
    "id": "mc.id_nf_comercio", "modo": "coalesce(tno.id_sugerir_comissao, 0)",
    "base_outros": "mc.tp_base_comissao_outros", "desconto": "mc.vl_desconto", "base": "mc.vl_base_comissao",
    "comissao": "mc.vl_comissao", "resultado": "mc.vl_resultado_venda", "serie": "mc.ds_serie_nf",
    "numero": "mc.nr_nota_fiscal", "emissao": "mc.dt_emissao", "cliente": "mc.id_destinatario_remetente",
    "nome_cliente": "(select p.nm_pesquisa from cad_pessoa p where p.id_pessoa = mc.id_destinatario_remetente)",
    "total": "mc.vl_total_nf", "empresa": "mc.id_empresa",
    "reducao": "(select sum(i.qt_produto * i.vl_unit_reducao_comissao) from mov_nf_comercio_item i"
               " inner join cad_produto cp on (cp.id_produto = i.id_produto) where i.id_nf_comercio = mc.id_nf_comercio)",
    **{f"{nome}{s}": f"mc.{coluna}{s}" for s in SLOTS for nome, coluna in (
        ("vendedor", "id_vendedor"), ("percentual", "po_comissao"), ("credito", "st_credito_fat"),
        ("creditado", "PO_CREDITO_FAT"))},
    **{f"adicional{s}": f"mc.st_comissao_ad{s}" for s in SLOTS[1:]},
}
COLUNAS_ITEM = ["id_nf_comercio", "vl_total", "st_frete_incluso", "qt_produto", "vl_frete_unit", "po_comissao"]
COLUNAS_LINHA = ["ID_NF_COMERCIO", "ID_FINANCEIRO", "ID_ACERTO_COMISSAO", "ID_EMPRESA", "ID_VENDEDOR", "DS_SERIE",
                 "NO_DOCUMENTO", "DT_EMISSAO", "ID_CLIENTE", "NM_CLIENTE", "VL_OPERACAO", "VL_BASE_COMISSAO",
                 "PO_COMISSAO", "VL_COMISSAO", "ST_IRRF", "DT_CREDITO", "ST_RECEBIMENTO", "ST_ENTREGA",
                 "ID_COMISSAO_GERADA", "ST_CANCELADA", "ST_PAGAR", "ST_BLOQUEIO_1", "ST_ESTORNO_1"]
DINHEIRO = {"VL_OPERACAO", "VL_BASE_COMISSAO", "PO_COMISSAO", "VL_COMISSAO"}


def _d(texto: str) -> Decimal:
    return Decimal(0) if texto == banco.NULO else Decimal(texto)


# The database's exact numerics.
def _cast2(x: Decimal) -> Decimal:
    return x.quantize(CENTAVO, ROUND_HALF_UP)


def _dividir(a: Decimal, escala_a: int, b: Decimal, escala_b: int) -> Decimal:
    return (a / b).quantize(Decimal(1).scaleb(-(escala_a + escala_b)), ROUND_DOWN)


# The program's roundings.
def _quatro_casas(x: Fraction) -> set[Decimal]:
    """A result of extended precision to four decimals, half to even; on an
    exact tie the binary value may fall on either side."""
    escalado = x * 10000
    baixo = math.floor(escalado)
    if escalado - baixo == Fraction(1, 2):
        return {Decimal(baixo).scaleb(-4), Decimal(baixo + 1).scaleb(-4)}
    return {Decimal(round(escalado)).scaleb(-4)}


def _coluna2(x: Decimal) -> set[Decimal]:
    """Four decimals into a column of two: a tie may go either way."""
    if (x * 100) % 1 == Decimal("0.5"):
        return {x.quantize(CENTAVO, ROUND_DOWN), x.quantize(CENTAVO, ROUND_DOWN) + CENTAVO}
    return {x.quantize(CENTAVO, ROUND_HALF_EVEN)}


def _arredondar2(x: Decimal) -> set[Decimal]:
    """Arredondar(x, 2) for x >= 0: cut the float to three decimals, then add
    half a unit and cut; when x has three decimals exactly, its float may lie
    just below them."""
    milesimos = x * 1000
    cortes = {milesimos.to_integral_value(ROUND_DOWN)}
    if milesimos == milesimos.to_integral_value():
        cortes.add(milesimos - 1)
    return {((c / 10) + Decimal("0.5")).to_integral_value(ROUND_DOWN) / 100 for c in cortes}


@dataclass
class Cenario:
    base: Decimal
    comissao: Decimal
    percentual: Decimal


def _fase1(nf: dict, itens: list[dict]) -> list[Cenario]:
    """vl_base_comissao, vl_comissao and po_comissao as phase 1 leaves them;
    one scenario per way the ties can fall."""
    if nf["base_outros"] == "R":   # left alone by phase 1
        return [Cenario(_d(nf["base"]), _d(nf["comissao"]), _d(nf["percentual"]))]
    desconto = _d(nf["desconto"])
    base = _cast2(sum((_d(i["vl_total"]) - (_d(i["qt_produto"]) * _d(i["vl_frete_unit"])
                                             if i["st_frete_incluso"] == "S" else 0) for i in itens), Decimal(0))
                  - desconto) if itens else Decimal("0.00")
    fator = 1 - _dividir(desconto, 2, base + desconto, 2)
    soma = sum((_dividir((_d(i["vl_total"]) - (_cast2(_d(i["qt_produto"]) * _d(i["vl_frete_unit"]))
                                               if i["st_frete_incluso"] == "S" else 0)) * fator
                         * _d(i["po_comissao"]), 10, Decimal(100), 0) for i in itens), Decimal(0))
    cenarios = []
    for comissao in _arredondar2(soma.quantize(Decimal("0.0001"), ROUND_HALF_EVEN)):
        percentual = Decimal("0.00")
        if base > 0:
            liquido = _dividir(comissao * 100, 2, base, 2) - sum(
                (_d(nf[f"percentual{s}"]) for s in SLOTS[1:] if nf[f"adicional{s}"] == "N"), Decimal(0))
            # Arredondar gives back a value of two decimals unchanged.
            percentual = _cast2(liquido)
        cenarios.append(Cenario(base, comissao, percentual))
    return cenarios


def _linhas_fase5(nf: dict, cenario: Cenario) -> list[dict]:
    """The type "1" rows of the invoice, slot by slot; money columns hold
    the set of values they may take."""
    modo = int(nf["modo"])
    reducao = Fraction(_d(nf["reducao"]))
    linhas = []
    for s in SLOTS:
        vendedor = nf[f"vendedor{s}"]
        if vendedor == banco.NULO or int(vendedor) < 1 or nf[f"credito{s}"] != "S":
            continue
        if modo == 5:
            base = _d(nf["resultado"])
        elif s and nf["base_outros"] == "C":
            base = cenario.comissao
        else:
            base = cenario.base
        percentual = cenario.percentual if not s else _d(nf[f"percentual{s}"])
        valores, percentuais = set(), set()
        for k1 in _quatro_casas(Fraction(base) * Fraction(percentual) / 100):
            for k2 in _quatro_casas(Fraction(k1) * Fraction(_d(nf[f"creditado{s}"])) / 100):
                k3 = max(Fraction(k2) - reducao, Fraction(0))
                k3d = Decimal(k3.numerator) / Decimal(k3.denominator)
                valores |= _coluna2(k3d)
                for p in (_quatro_casas(k3 / Fraction(base) * 100) if base else {Decimal(0)}):
                    percentuais |= _coluna2(p)
        linhas.append({
            "ID_NF_COMERCIO": nf["id"], "ID_FINANCEIRO": banco.NULO, "ID_ACERTO_COMISSAO": banco.NULO,
            "ID_EMPRESA": nf["empresa"], "ID_VENDEDOR": vendedor, "DS_SERIE": nf["serie"], "NO_DOCUMENTO": nf["numero"],
            "DT_EMISSAO": nf["emissao"], "ID_CLIENTE": nf["cliente"], "NM_CLIENTE": nf["nome_cliente"],
            "VL_OPERACAO": {_d(nf["total"])}, "VL_BASE_COMISSAO": {base}, "PO_COMISSAO": percentuais,
            "VL_COMISSAO": valores, "ST_IRRF": "S", "DT_CREDITO": nf["emissao"], "ST_RECEBIMENTO": "S",
            "ST_ENTREGA": "S", "ID_COMISSAO_GERADA": banco.NULO, "ST_CANCELADA": "N", "ST_PAGAR": "S",
            "ST_BLOQUEIO_1": "N", "ST_ESTORNO_1": "N"})
    return [linha for linha in linhas if linha["VL_COMISSAO"] != {Decimal("0.00")}]


def _em_lotes(ids: list[str], tamanho: int = 1000):
    for inicio in range(0, len(ids), tamanho):
        yield ", ".join(ids[inicio:inicio + tamanho])


def notas_da_amostra(antes: Path, quantidade: int) -> tuple[dict, dict]:
    """Invoices of modes 0 to 5 that get type "1" rows, spread over the
    selection, with their items, read before the run."""
    ids = [linha[0] for linha in banco.linhas(
        antes, ["mc.id_nf_comercio"],
        f"{NF_COM_NATUREZA} where {PENDENTE} and {GERA_COMISSAO} and {nao_verdadeiro(NF_CONGELADA)}"
        " and coalesce(tno.id_sugerir_comissao, 0) between 0 and 5 order by mc.id_nf_comercio")]
    passo = max(1, len(ids) // max(quantidade, 1))
    escolhidas = ids[::passo][:quantidade]
    notas, itens = {}, {i: [] for i in escolhidas}
    for lote in _em_lotes(escolhidas):
        for linha in banco.linhas(antes, list(COLUNAS_NF.values()),
                                  f"{NF_COM_NATUREZA} where mc.id_nf_comercio in ({lote})"):
            notas[linha[0]] = dict(zip(COLUNAS_NF, linha))
        for linha in banco.linhas(antes, COLUNAS_ITEM, f"from mov_nf_comercio_item where id_nf_comercio in ({lote})"
                                                       " order by id_nf_comercio_item"):
            itens[linha[0]].append(dict(zip(COLUNAS_ITEM, linha)))
    return notas, itens


def _confere(esperada: dict, obtida: dict) -> list[str]:
    erros = []
    for coluna in COLUNAS_LINHA:
        valor = obtida[coluna]
        if coluna in DINHEIRO:
            if valor == banco.NULO or Decimal(valor) not in esperada[coluna]:
                erros.append(f"{coluna}={valor}, esperado {' ou '.join(sorted(str(v) for v in esperada[coluna]))}")
        elif valor != esperada[coluna]:
            erros.append(f"{coluna}={valor}, esperado {esperada[coluna]}")
    return erros


def verificar_tipo1(depois: Path, notas: dict, itens: dict, max_comissao: int) -> tuple[int, list[str]]:
    """Compares the run's new type "1" rows of the sampled invoices with the
    computed ones; returns the number of rows compared and the faults."""
    obtidas = {i: [] for i in notas}
    for lote in _em_lotes(list(notas)):
        for linha in banco.linhas(depois, ["ID_COMISSAO"] + COLUNAS_LINHA,
                                  f"from mov_comissao where tp_registro = '1' and id_comissao > {max_comissao}"
                                  f" and id_nf_comercio in ({lote}) order by id_comissao"):
            obtidas[linha[1]].append(dict(zip(["ID_COMISSAO"] + COLUNAS_LINHA, linha)))
    falhas, comparadas = [], 0
    for id_nf, nf in notas.items():
        candidatas = [_linhas_fase5(nf, cenario) for cenario in _fase1(nf, itens[id_nf])]
        erros_por_cenario = []
        for esperadas in candidatas:
            if len(esperadas) != len(obtidas[id_nf]):
                erros_por_cenario.append([f"{len(obtidas[id_nf])} linhas, esperadas {len(esperadas)}"])
                continue
            erros_por_cenario.append([f"id_comissao {o['ID_COMISSAO']}: {e}" for esperada, o in
                                      zip(esperadas, obtidas[id_nf]) for e in _confere(esperada, o)])
        if all(erros_por_cenario):
            falhas.append(f"NF {id_nf}: " + "; ".join(erros_por_cenario[0]))
        comparadas += len(obtidas[id_nf])
    return comparadas, falhas


def verificar_tipo3(depois: Path, max_comissao: int) -> list[str]:
    """Every new type "3" row copies its settlement, with the type's sign."""
    diferentes = banco.inteiro(depois, (
        "(select count(*) from mov_comissao c left join mov_acerto_comissao a"
        " on (a.id_acerto_comissao = c.id_acerto_comissao)"
        f" where c.tp_registro = '3' and c.id_comissao > {max_comissao} and iif("
        " c.id_nf_comercio is null and c.id_financeiro is null and c.id_empresa = a.id_empresa"
        " and c.id_vendedor = a.id_vendedor and c.ds_serie is null and c.no_documento is null"
        " and c.dt_emissao = a.dt_pagamento and c.id_cliente = a.id_empresa and c.nm_cliente = a.ds_acerto"
        " and c.vl_operacao = a.vl_acerto and c.vl_base_comissao = a.vl_acerto and c.po_comissao = 0"
        " and c.vl_comissao = iif(a.tp_acerto = 'A', a.vl_acerto, -a.vl_acerto) and c.st_irrf = a.st_irrf"
        " and c.dt_credito = a.dt_pagamento and c.st_recebimento = 'S' and c.st_entrega = 'S'"
        " and c.id_comissao_gerada is null and c.st_cancelada = 'N' and c.st_pagar = 'S'"
        " and c.st_bloqueio_1 = 'N' and c.st_estorno_1 = 'N', 1, 0) = 0)"))
    return [f"{diferentes} linhas do tipo 3 diferentes do seu acerto"] if diferentes else []
