"""The floor of a run: on a copy of the same database, the same number of
rows inserted into mov_comissao and mov_acerto_comissao by one EXECUTE
BLOCK in one transaction, every column filled as the run fills them, the
identifiers continuing after the largest."""

import time
from pathlib import Path

from benchmark import banco

BLOCO = """set term ^;
execute block as
    declare i integer = 1;
    declare id integer;
begin
    select coalesce(max(id_comissao), 0) from mov_comissao into :id;
    while (i <= {comissoes}) do begin
        insert into mov_comissao (ID_COMISSAO, TP_REGISTRO, ID_NF_COMERCIO, ID_FINANCEIRO, ID_ACERTO_COMISSAO,
            ID_EMPRESA, ID_VENDEDOR, DS_SERIE, NO_DOCUMENTO, DT_EMISSAO, ID_CLIENTE, NM_CLIENTE, VL_OPERACAO,
            VL_BASE_COMISSAO, PO_COMISSAO, VL_COMISSAO, ST_IRRF, DT_CREDITO, ST_RECEBIMENTO, ST_ENTREGA,
            ID_COMISSAO_GERADA, ST_CANCELADA, ST_PAGAR, ST_BLOQUEIO_1, ST_ESTORNO_1)
        values (:id + :i, '2', 1000000 + :i / 3, 1000000 + :i / 2, null, 1, 1 + mod(:i, 40), null,
            (1000000 + :i / 3) || '/' || mod(:i, 6), current_date - mod(:i, 150), 1001 + mod(:i, 2000),
            'CLIENTE SÃO JOÃO Nº ' || (1001 + mod(:i, 2000)), 1234.56, 1100.00, 2.35, 25.85, 'S', current_date,
            'S', 'S', null, 'N', 'S', 'N', 'N');
        i = i + 1;
    end
    i = 1;
    select coalesce(max(id_acerto_comissao), 0) from mov_acerto_comissao into :id;
    while (i <= {acertos}) do begin
        insert into mov_acerto_comissao (ID_ACERTO_COMISSAO, DT_PAGAMENTO, ID_VENDEDOR, VL_ACERTO, TP_ACERTO,
            ST_IRRF, DS_ACERTO, ID_EMPRESA, ID_COMISSAO_GERADA, ST_CALC_COMISSAO, ID_COMISSAO_ESTORNADA)
        values (:id + :i, current_date, 1 + mod(:i, 40), 15.00, 'D', 'N',
            'ESTORNO REF CANHOTO NÃO RECEBIDO NF ' || :i, 1, null, 'S', null);
        i = i + 1;
    end
end^
set term ;^
commit;
"""


def medir(copia: Path, comissoes: int, acertos: int) -> float:
    """Seconds of the whole isql-fb call: attach, block, commit, detach."""
    inicio = time.monotonic()
    banco.executar(copia, BLOCO.format(comissoes=comissoes, acertos=acertos))
    return time.monotonic() - inicio
