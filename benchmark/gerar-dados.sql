-- Benchmark data of one company, loaded by isql after the fixture schema
-- (tests/fixtures/esquema.sql) with the connection in UTF8. The generator
-- replaces @N@ (pending invoices), @H@ (history rows of mov_comissao) and
-- @SEMENTE@ (seed) before it runs the file. Values are pseudo-random but
-- fixed by the seed; dates are relative to the day of loading, so the run
-- finds the same kinds of work whatever the day.
--
-- Identifier ranges, in this order (HI = ceil(H/4), HA = ceil(H/20),
-- NB = ceil(N/20), NR = ceil(N/40), NA = ceil(N/10)):
--   invoices      1..HI history, then NB undelivered and NR receipt-back
--                 invoices of earlier days, then the N pending ones;
--   receivables   2 per history invoice, 1 per earlier invoice, 0 to 6
--                 per pending invoice (6 numbers reserved for each);
--   items         2 per history invoice, then 10 numbers per pending one;
--   settlements   1..HA history, then NA pending ones entered by users;
--   commissions   1..H history, then 2 per earlier invoice, then the paid
--                 rows that freeze some pending sources.
-- History is inert: every row already paid, nothing pending, no invoice
-- that meets the undelivered-receipt conditions. It only makes the tables
-- as large as a company's after some years.
-- Secondary indexes are switched off while loading and rebuilt at the end,
-- with fresh statistics, as after a restore; with @DESLIGAR_INDICES@ = 0 they
-- stay on, and grow row by row as years of the suite's work leave them.

set term ^;

execute block as
    declare nome varchar(63);
begin
    if (@DESLIGAR_INDICES@ = 1) then
    for select trim(rdb$index_name) from rdb$indices
        where coalesce(rdb$system_flag, 0) = 0 and coalesce(rdb$index_inactive, 0) = 0
          and rdb$index_name not in (select rdb$index_name from rdb$relation_constraints
                                     where rdb$index_name is not null)
        into :nome do
        execute statement 'alter index ' || nome || ' inactive';
end^

commit^

-- Parameters, natures, situations, payment plans, people, products and the
-- sellers' commission table. Natures 10 to 16 have the commission modes 0
-- to 6; 17 checks the delivery receipt; 18 pays no commission.
execute block as
    declare i integer;
    declare m integer;
begin
    update tab_parametro set hr_atualizar_comissao = 7, ST_MONITOR_COMISSAO_ATIVO = 'N',
        ST_COMISSAO_FRETE_DESPESA = 'N', ST_COMISSAO_IPI_ICMSST = 'S'
        where ID_PARAMETRO = 1;

    i = 0;
    while (i <= 6) do begin
        insert into tab_nat_operacao (id_nat_operacao, id_sugerir_comissao, ST_COMISSAO_PAGAR, ST_VERIFICA_FASE)
            values (10 + :i, :i, 'S', 'N');
        i = i + 1;
    end
    insert into tab_nat_operacao (id_nat_operacao, id_sugerir_comissao, ST_COMISSAO_PAGAR, ST_VERIFICA_FASE)
        values (17, 0, 'S', 'S');
    insert into tab_nat_operacao (id_nat_operacao, id_sugerir_comissao, ST_COMISSAO_PAGAR, ST_VERIFICA_FASE)
        values (18, 2, 'N', 'N');

    insert into fix_situacao_orcamento (id_situacao_orcamento, st_pagar_comissao) values (1, 'S');
    insert into fix_situacao_orcamento (id_situacao_orcamento, st_pagar_comissao) values (2, 'N');

    insert into tab_plano_pagto (id_plano_pagto, qt_dias_estorna_comissao) values (1, 15);
    insert into tab_plano_pagto (id_plano_pagto, qt_dias_estorna_comissao) values (2, null);
    insert into tab_plano_pagto (id_plano_pagto, qt_dias_estorna_comissao) values (3, 30);

    -- Sellers 1 to 40; customers 1001 to 3000 (3001 to 3010 are not registered).
    i = 1;
    while (i <= 40) do begin
        insert into cad_pessoa (id_pessoa, nm_pesquisa) values (:i, 'VENDEDOR ' || lpad(:i, 2, '0'));
        i = i + 1;
    end
    i = 1001;
    while (i <= 3000) do begin
        insert into cad_pessoa (id_pessoa, nm_pesquisa) values (:i, 'CLIENTE SÃO JOÃO Nº ' || :i);
        i = i + 1;
    end

    -- Products 1 to 500 of manufacturers 1 to 20; every 25th has none.
    i = 1;
    while (i <= 500) do begin
        insert into cad_produto (id_produto, id_fabrica)
            values (:i, iif(mod(:i, 25) = 0, null, 1 + mod(:i * 7, 20)));
        i = i + 1;
    end

    -- A general row per seller, and rows for some manufacturers.
    i = 1;
    while (i <= 40) do begin
        insert into tab_comissao_por_vendedor (id_empresa, id_vendedor, id_fabricante, po_comissao)
            values (1, :i, null, 1.00 + mod(:i, 4) * 0.75);
        m = 1;
        while (m <= 20) do begin
            if (mod(:i + 3 * :m, 7) = 0) then
                insert into tab_comissao_por_vendedor (id_empresa, id_vendedor, id_fabricante, po_comissao)
                    values (1, :i, :m, 2.00 + mod(:i * :m, 5));
            m = m + 1;
        end
        i = i + 1;
    end
end^

-- History: invoices of up to four years ago with two items and two paid
-- receivables each, settlements, and H commission rows, all paid.
execute block as
    declare h integer = @H@;
    declare hi integer;
    declare ha integer;
    declare j integer;
    declare g integer;
    declare r integer;
    declare vendedor integer;
    declare emissao date;
    declare produtos numeric(18,2);
    declare tipo char(1);
begin
    hi = (h + 3) / 4;
    ha = (h + 19) / 20;

    j = 1;
    while (j <= hi) do begin
        emissao = current_date - 60 - mod(j, 1400);
        produtos = 100 + mod(j * 37, 5000);
        vendedor = 1 + mod(j, 40);
        insert into mov_nf_comercio (id_nf_comercio, id_empresa, id_vendedor, po_comissao, st_credito_fat,
            id_vendedor2, po_comissao2, st_credito_fat2, st_comissao_ad2,
            ds_serie_nf, nr_nota_fiscal, dt_emissao, id_destinatario_remetente,
            vl_total_nf, vl_produtos, vl_desconto, vl_servico, vl_financeiro, vl_frete, st_incluir_frete_parc,
            id_nat_operacao, id_situacao_orcamento, id_plano_pagto, id_st_nf, st_devolvido, tp_base_comissao_outros,
            vl_base_comissao, vl_comissao, st_calc_comissao, st_estornar_comissao, st_calc_estorno,
            id_comissao_estornada)
        values (:j, 1, :vendedor, 3.00, 'N',
            iif(mod(:j, 2) = 1, 1 + mod(:j + 17, 40), null), iif(mod(:j, 2) = 1, 1.00, null), 'N', 'S',
            '1', :j, :emissao, 1001 + mod(:j, 2000),
            :produtos, :produtos, 0, 0, :produtos, 0, 'N',
            iif(mod(:j, 10) = 0, 17, 10 + mod(:j, 7)), iif(mod(:j, 10) = 0, 1, null), 1 + mod(:j, 3), 5, 'N', 'P',
            :produtos, :produtos * 0.03, 'N', iif(mod(:j, 10) = 3, 'S', 'N'), 'N',
            iif(mod(:j, 10) = 3, :j, null));
        insert into mov_nf_comercio_item (id_nf_comercio_item, id_nf_comercio, no_item, id_produto, qt_produto,
            vl_unitario, vl_total, st_frete_incluso, vl_frete_unit, po_comissao)
            values (2 * :j - 1, :j, 1, 1 + mod(:j, 500), 1, :produtos - 50, :produtos - 50, 'N', 0, 3.00);
        insert into mov_nf_comercio_item (id_nf_comercio_item, id_nf_comercio, no_item, id_produto, qt_produto,
            vl_unitario, vl_total, st_frete_incluso, vl_frete_unit, po_comissao)
            values (2 * :j, :j, 2, 1 + mod(:j * 3, 500), 1, 50, 50, 'N', 0, 3.00);
        insert into mov_financeiro (id_financeiro, id_nf_comercio, no_documento, vl_documento, dt_vencto, dt_baixa,
            vl_desconto, vl_abatimento, vl_outras_reducoes, id_tp_mov_financ, st_calc_comissao, id_comissao_gerada)
            values (2 * :j - 1, :j, :j || '/1', :produtos - 50, :emissao + 30, :emissao + 30, 0, 0, 0, 2, 'N',
                    1 + :j / 50);
        insert into mov_financeiro (id_financeiro, id_nf_comercio, no_documento, vl_documento, dt_vencto, dt_baixa,
            vl_desconto, vl_abatimento, vl_outras_reducoes, id_tp_mov_financ, st_calc_comissao, id_comissao_gerada)
            values (2 * :j, :j, :j || '/2', 50, :emissao + 60, :emissao + 58, 0, 0, 0, 2, 'N', 1 + :j / 50);
        j = j + 1;
    end

    j = 1;
    while (j <= ha) do begin
        insert into mov_acerto_comissao (ID_ACERTO_COMISSAO, DT_PAGAMENTO, ID_VENDEDOR, VL_ACERTO, TP_ACERTO, ST_IRRF,
            DS_ACERTO, ID_EMPRESA, ID_COMISSAO_GERADA, ST_CALC_COMISSAO, ID_COMISSAO_ESTORNADA)
            values (:j, current_date - 60 - mod(:j * 5, 1400), 1 + mod(:j, 40), 10 + mod(:j * 13, 400),
                    iif(mod(:j, 3) = 0, 'D', 'A'), 'N', 'ACERTO ANTERIOR ' || :j, 1, 1 + :j / 10, 'N', null);
        j = j + 1;
    end

    -- Row j belongs to invoice g: its type "1" row, two type "2" rows, and
    -- every fifth invoice one type "3" row of settlement g / 5.
    j = 1;
    while (j <= h) do begin
        g = (j - 1) / 4 + 1;
        r = mod(j - 1, 4);
        tipo = iif(r = 0, '1', iif(r = 3 and mod(g, 5) = 0 and g / 5 <= ha, '3', '2'));
        emissao = current_date - 60 - mod(g, 1400);
        produtos = 100 + mod(g * 37, 5000);
        if (tipo = '3') then
            insert into mov_comissao (ID_COMISSAO, TP_REGISTRO, ID_ACERTO_COMISSAO, ID_EMPRESA, ID_VENDEDOR,
                DT_EMISSAO, ID_CLIENTE, NM_CLIENTE, VL_OPERACAO, VL_BASE_COMISSAO, PO_COMISSAO, VL_COMISSAO,
                ST_IRRF, DT_CREDITO, ST_RECEBIMENTO, ST_ENTREGA, ID_COMISSAO_GERADA, ST_CANCELADA, ST_PAGAR,
                ST_BLOQUEIO_1, ST_ESTORNO_1)
            values (:j, '3', :g / 5, 1, 1 + mod(:g / 5, 40), :emissao, 1, 'ACERTO ANTERIOR ' || (:g / 5),
                10, 10, 0, 10, 'N', :emissao, 'S', 'S', 1 + :j / 200, 'N', 'S', 'N', 'N');
        else
            insert into mov_comissao (ID_COMISSAO, TP_REGISTRO, ID_NF_COMERCIO, ID_FINANCEIRO, ID_EMPRESA,
                ID_VENDEDOR, DS_SERIE, NO_DOCUMENTO, DT_EMISSAO, ID_CLIENTE, NM_CLIENTE, VL_OPERACAO,
                VL_BASE_COMISSAO, PO_COMISSAO, VL_COMISSAO, ST_IRRF, DT_CREDITO, ST_RECEBIMENTO, ST_ENTREGA,
                ID_COMISSAO_GERADA, ST_CANCELADA, ST_PAGAR, ST_BLOQUEIO_1, ST_ESTORNO_1)
            values (:j, :tipo, :g, iif(:tipo = '2', 2 * :g - 2 + minvalue(:r, 2), null), 1,
                iif(:r = 3, 1 + mod(:g + 17, 40), 1 + mod(:g, 40)), iif(:tipo = '1', '1', null),
                iif(:tipo = '1', :g, :g || '/' || minvalue(:r, 2)), :emissao, 1001 + mod(:g, 2000),
                'CLIENTE SÃO JOÃO Nº ' || (1001 + mod(:g, 2000)), :produtos, :produtos, 3.00,
                :produtos * 0.03 / iif(:tipo = '2', 2, 1), 'S', :emissao, 'S', 'S', 1 + :j / 200, 'N', 'S',
                'N', 'N');
        j = j + 1;
    end
end^

-- Invoices of earlier days whose delivery receipt is checked (nature 17),
-- issued 50 to 109 days ago, each with one paid receivable and its type
-- "1" and "2" rows. The first NB still have no receipt: their rows get
-- blocked and reversed, except every fourth invoice's, reversed already.
-- The other NR have their receipt back: their reversed rows are paid back.
execute block as
    declare n integer = @N@;
    declare h integer = @H@;
    declare hi integer;
    declare nb integer;
    declare nr integer;
    declare j integer;
    declare id integer;
    declare id_comissao integer;
    declare vendedor integer;
    declare emissao date;
    declare bloqueio char(1);
    declare estorno char(1);
begin
    hi = (h + 3) / 4;
    nb = (n + 19) / 20;
    nr = (n + 39) / 40;
    id_comissao = h;
    j = 1;
    while (j <= nb + nr) do begin
        id = hi + j;
        vendedor = 1 + mod(j, 40);
        emissao = current_date - 50 - mod(j * 7, 60);
        if (j > nb or mod(j, 4) = 0) then begin
            bloqueio = 'S';
            estorno = 'S';
        end else if (mod(j, 4) = 1) then begin
            bloqueio = null;
            estorno = null;
        end else begin
            bloqueio = 'N';
            estorno = 'N';
        end
        insert into mov_nf_comercio (id_nf_comercio, id_empresa, id_vendedor, po_comissao, st_credito_fat,
            PO_CREDITO_FAT, ds_serie_nf, nr_nota_fiscal, dt_emissao, id_destinatario_remetente,
            vl_total_nf, vl_produtos, vl_desconto, vl_servico, vl_financeiro, vl_frete, st_incluir_frete_parc,
            id_nat_operacao, id_situacao_orcamento, id_plano_pagto, id_st_nf, st_devolvido, tp_base_comissao_outros,
            vl_base_comissao, vl_comissao, st_calc_comissao, st_estornar_comissao)
        values (:id, 1, :vendedor, 3.00, 'S', 50, '1', :id, :emissao, 1001 + mod(:j, 2000),
            1000.00, 1000.00, 0, 0, 1000.00, 0, 'N',
            17, iif(:j > :nb, 1, iif(mod(:j, 3) = 0, 2, null)), 2, 5, 'N', 'P',
            1000.00, 30.00, 'N', 'N');
        insert into mov_financeiro (id_financeiro, id_nf_comercio, no_documento, vl_documento, dt_vencto, dt_baixa,
            vl_desconto, vl_abatimento, vl_outras_reducoes, id_tp_mov_financ, st_calc_comissao)
            values (2 * :hi + :j, :id, :id || '/1', 1000.00, :emissao + 30, :emissao + 31, 0, 0, 0, 2, 'N');
        insert into mov_comissao (ID_COMISSAO, TP_REGISTRO, ID_NF_COMERCIO, ID_EMPRESA, ID_VENDEDOR, DS_SERIE,
            NO_DOCUMENTO, DT_EMISSAO, ID_CLIENTE, NM_CLIENTE, VL_OPERACAO, VL_BASE_COMISSAO, PO_COMISSAO,
            VL_COMISSAO, ST_IRRF, DT_CREDITO, ST_RECEBIMENTO, ST_ENTREGA, ST_CANCELADA, ST_PAGAR,
            ST_BLOQUEIO_1, ST_ESTORNO_1)
            values (:id_comissao + 1, '1', :id, 1, :vendedor, '1', :id, :emissao, 1001 + mod(:j, 2000),
                'CLIENTE SÃO JOÃO Nº ' || (1001 + mod(:j, 2000)), 1000.00, 1000.00, 1.50, 15.00, 'S', :emissao,
                'S', 'S', 'N', 'S', :bloqueio, :estorno);
        insert into mov_comissao (ID_COMISSAO, TP_REGISTRO, ID_NF_COMERCIO, ID_FINANCEIRO, ID_EMPRESA, ID_VENDEDOR,
            NO_DOCUMENTO, DT_EMISSAO, ID_CLIENTE, NM_CLIENTE, VL_OPERACAO, VL_BASE_COMISSAO, PO_COMISSAO,
            VL_COMISSAO, ST_IRRF, DT_CREDITO, ST_RECEBIMENTO, ST_ENTREGA, ST_CANCELADA, ST_PAGAR,
            ST_BLOQUEIO_1, ST_ESTORNO_1)
            values (:id_comissao + 2, '2', :id, 2 * :hi + :j, 1, :vendedor, :id || '/1', :emissao,
                1001 + mod(:j, 2000), 'CLIENTE SÃO JOÃO Nº ' || (1001 + mod(:j, 2000)), 1000.00, 1000.00, 1.50,
                15.00, 'S', :emissao + 31, 'S', 'S', 'N', 'S', :bloqueio, :estorno);
        id_comissao = id_comissao + 2;
        j = j + 1;
    end
end^

-- Settlements entered by users and waiting for their type "3" rows; every
-- fiftieth already has a paid row (frozen).
execute block as
    declare n integer = @N@;
    declare h integer = @H@;
    declare semente integer = @SEMENTE@;
    declare ha integer;
    declare na integer;
    declare id_comissao integer;
    declare k integer;
    declare id integer;
    declare c bigint;
    declare function sorteio(chave bigint, faixa integer) returns integer as
        declare x bigint;
    begin
        x = mod(chave, 4294967296);
        x = bin_xor(x, bin_shr(x, 16));
        x = mod(x * 73244475, 4294967296);
        x = bin_xor(x, bin_shr(x, 16));
        x = mod(x * 73244475, 4294967296);
        x = bin_xor(x, bin_shr(x, 16));
        return mod(x, faixa);
    end
begin
    ha = (h + 19) / 20;
    na = (n + 9) / 10;
    select coalesce(max(ID_COMISSAO), 0) from mov_comissao into :id_comissao;
    k = 1;
    while (k <= na) do begin
        id = ha + k;
        c = semente * 7919 + k * 16 + 5000000;
        insert into mov_acerto_comissao (ID_ACERTO_COMISSAO, DT_PAGAMENTO, ID_VENDEDOR, VL_ACERTO, TP_ACERTO, ST_IRRF,
            DS_ACERTO, ID_EMPRESA, ID_COMISSAO_GERADA, ST_CALC_COMISSAO, ID_COMISSAO_ESTORNADA)
            values (:id, current_date - sorteio(:c, 30), 1 + sorteio(:c + 1, 40),
                    (1000 + sorteio(:c + 2, 49000)) * 0.01, iif(sorteio(:c + 3, 3) = 0, 'D', 'A'),
                    iif(sorteio(:c + 4, 2) = 0, 'S', 'N'),
                    iif(sorteio(:c + 5, 2) = 0, 'PRÊMIO DE VENDAS ', 'AJUSTE DE COMISSÃO ') || :k, 1, null, 'S', null);
        if (mod(k, 50) = 0) then begin
            id_comissao = id_comissao + 1;
            insert into mov_comissao (ID_COMISSAO, TP_REGISTRO, ID_ACERTO_COMISSAO, ID_EMPRESA, ID_VENDEDOR,
                VL_COMISSAO, ID_COMISSAO_GERADA, ST_BLOQUEIO_1, ST_ESTORNO_1)
                values (:id_comissao, '3', :id, 1, 1, 10.00, 999, 'N', 'N');
        end
        k = k + 1;
    end
end^

-- The pending invoices: modes 0 to 6 and a nature without commission, one
-- to three sellers, some crediting part of the commission on invoicing, one
-- to ten items, receivables in one to six installments, paid, open and
-- overdue. A few are returned, inconsistent (a products total 1.00 above
-- the sum of the items), frozen (a paid type "1" row, or a paid type "2"
-- row of their first receivable), or carry a commission reduction larger
-- than any commission, which leaves every row of theirs at 0 (deleted at
-- the end of the run). Amounts keep every other row at 0.01 or more: unit
-- prices of 100.00 and up, freight at most a tenth of the products.
execute block as
    declare n integer = @N@;
    declare h integer = @H@;
    declare semente integer = @SEMENTE@;
    declare hi integer;
    declare base_nf integer;
    declare base_financeiro integer;
    declare id_comissao integer;
    declare i integer;
    declare k integer;
    declare id integer;
    declare c bigint;
    declare w integer;
    declare natureza integer;
    declare vendedores integer;
    declare v1 integer;
    declare v2 integer;
    declare v3 integer;
    declare itens integer;
    declare qt integer;
    declare unitario numeric(18,2);
    declare frete_unit numeric(18,2);
    declare incluso char(1);
    declare produtos numeric(18,2);
    declare desconto numeric(18,2);
    declare servico numeric(18,2);
    declare frete numeric(18,2);
    declare incluir_frete char(1);
    declare total numeric(18,2);
    declare base_outros char(1);
    declare emissao date;
    declare credito1 char(1);
    declare credito2 char(1);
    declare credito3 char(1);
    declare parcelas integer;
    declare parcela numeric(18,2);
    declare valor numeric(18,2);
    declare vencto date;
    declare baixa date;
    declare function sorteio(chave bigint, faixa integer) returns integer as
        declare x bigint;
    begin
        x = mod(chave, 4294967296);
        x = bin_xor(x, bin_shr(x, 16));
        x = mod(x * 73244475, 4294967296);
        x = bin_xor(x, bin_shr(x, 16));
        x = mod(x * 73244475, 4294967296);
        x = bin_xor(x, bin_shr(x, 16));
        return mod(x, faixa);
    end
begin
    hi = (h + 3) / 4;
    base_nf = hi + (n + 19) / 20 + (n + 39) / 40;
    base_financeiro = 2 * hi + (n + 19) / 20 + (n + 39) / 40;
    select coalesce(max(ID_COMISSAO), 0) from mov_comissao into :id_comissao;
    i = 1;
    while (i <= n) do begin
        id = base_nf + i;
        c = semente * 1000003 + i * 256;

        w = sorteio(c, 100);
        natureza = iif(w < 25, 10, iif(w < 35, 11, iif(w < 45, 12, iif(w < 55, 13, iif(w < 60, 14,
                   iif(w < 70, 15, iif(w < 93, 16, iif(w < 97, 17, 18))))))));
        w = sorteio(c + 1, 100);
        vendedores = iif(w < 55, 1, iif(w < 88, 2, 3));
        v1 = 1 + sorteio(c + 2, 40);
        v2 = 1 + mod(v1 + sorteio(c + 3, 39), 40);
        v3 = 1 + mod(v2 + sorteio(c + 4, 39), 40);
        emissao = current_date - sorteio(c + 5, 150);
        -- Credit on invoicing: "S" 45 %, NULL 10 %, "N" otherwise.
        w = sorteio(c + 20, 100);
        credito1 = iif(w < 45, 'S', iif(w < 55, null, 'N'));
        w = sorteio(c + 23, 100);
        credito2 = iif(w < 45, 'S', iif(w < 55, null, 'N'));
        w = sorteio(c + 27, 100);
        credito3 = iif(w < 45, 'S', iif(w < 55, null, 'N'));

        -- Items first: the invoice's totals are their sums.
        itens = 1 + sorteio(c + 6, 10);
        produtos = 0;
        k = 1;
        while (k <= itens) do begin
            qt = 1 + sorteio(c + 100 + k * 8, 20);
            unitario = (10000 + sorteio(c + 101 + k * 8, 190000)) * 0.01;
            incluso = iif(sorteio(c + 102 + k * 8, 100) < 15, 'S', 'N');
            frete_unit = iif(incluso = 'S', (100 + sorteio(c + 103 + k * 8, 900)) * 0.01, 0);
            insert into mov_nf_comercio_item (id_nf_comercio_item, id_nf_comercio, no_item, id_produto, qt_produto,
                vl_unitario, vl_total, st_frete_incluso, vl_frete_unit, po_comissao, st_manter_comissao,
                vl_outras_ajustado, vl_frete_ajustado, vl_seguro_ajustado, vl_ipi, vl_icms_subst,
                vl_unit_reducao_comissao)
            values (2 * :hi + (:i - 1) * 10 + :k, :id, :k, 1 + sorteio(:c + 104 + :k * 8, 500), :qt,
                :unitario, :qt * :unitario, :incluso, :frete_unit, 3.00 + sorteio(:c + 105 + :k * 8, 7) * 0.5,
                iif(sorteio(:c + 106 + :k * 8, 10) = 0, 'S', 'N'),
                iif(sorteio(:c + 107 + :k * 8, 20) = 0, 5.00, 0), iif(sorteio(:c + 107 + :k * 8, 20) = 1, 7.50, 0),
                iif(sorteio(:c + 107 + :k * 8, 20) = 2, 2.25, 0),
                iif(sorteio(:c + 106 + :k * 8, 10) = 1, :qt * :unitario * 0.05, 0),
                iif(sorteio(:c + 106 + :k * 8, 10) = 2, :qt * :unitario * 0.03, 0),
                iif(mod(:i, 100) = 42 and :k = 1, 100000.00, 0));
            produtos = produtos + qt * unitario;
            k = k + 1;
        end
        if (mod(i, 100) = 13) then
            produtos = produtos + 1.00;

        desconto = iif(sorteio(c + 7, 10) < 4, cast(produtos * (1 + sorteio(c + 8, 500)) / 10000 as numeric(18,2)), 0);
        servico = iif(sorteio(c + 9, 10) = 0, (1000 + sorteio(c + 10, 19000)) * 0.01, 0);
        frete = iif(sorteio(c + 11, 100) < 15, cast(produtos * (1 + sorteio(c + 12, 10)) / 100 as numeric(18,2)), 0);
        incluir_frete = iif(frete > 0 and sorteio(c + 13, 2) = 0, 'S', 'N');
        total = produtos - desconto + servico + frete;
        w = sorteio(c + 14, 20);
        base_outros = iif(w = 0 and produtos >= 2000, 'C', iif(w = 1, 'R', iif(w < 4, null, 'P')));

        insert into mov_nf_comercio (id_nf_comercio, id_empresa,
            id_vendedor, po_comissao, st_credito_fat, PO_CREDITO_FAT,
            id_vendedor2, po_comissao2, st_credito_fat2, PO_CREDITO_FAT2, st_comissao_ad2,
            id_vendedor3, po_comissao3, st_credito_fat3, PO_CREDITO_FAT3, st_comissao_ad3,
            ds_serie_nf, nr_nota_fiscal, dt_emissao, id_destinatario_remetente,
            vl_total_nf, vl_produtos, vl_desconto, vl_servico, vl_financeiro, vl_frete, st_incluir_frete_parc,
            id_nat_operacao, id_situacao_orcamento, id_plano_pagto, id_st_nf, st_devolvido, tp_base_comissao_outros,
            vl_base_comissao, vl_comissao, vl_resultado_venda, st_calc_comissao, st_estornar_comissao)
        values (:id, 1,
            :v1, iif(:base_outros = 'R', 2.00, null), :credito1,
            iif(:credito1 = 'S', decode(sorteio(:c + 21, 3), 0, 30, 1, 50, 100), null),
            iif(:vendedores >= 2, :v2, null), iif(:vendedores >= 2, 0.50 + sorteio(:c + 22, 3) * 0.25, null),
            :credito2, iif(:credito2 = 'S', decode(sorteio(:c + 24, 3), 0, 30, 1, 50, 100), null),
            decode(sorteio(:c + 25, 3), 0, 'S', 1, 'N'),
            iif(:vendedores >= 3, :v3, null), iif(:vendedores >= 3, 0.50 + sorteio(:c + 26, 3) * 0.25, null),
            :credito3, iif(:credito3 = 'S', decode(sorteio(:c + 28, 3), 0, 30, 1, 50, 100), null),
            decode(sorteio(:c + 29, 3), 0, 'S', 1, 'N'),
            '1', :id, :emissao, 1001 + sorteio(:c + 30, 2010),
            :total, :produtos, :desconto, :servico, :total, :frete, :incluir_frete,
            :natureza, iif(:natureza = 17, 1 + sorteio(:c + 31, 2), null), decode(sorteio(:c + 32, 10), 0, 1, 1, 1,
            2, 1, 3, 3, 4, 3, 2), iif(sorteio(:c + 33, 100) < 85, 5, 3), iif(sorteio(:c + 34, 100) < 2, 'S', 'N'),
            :base_outros,
            iif(:base_outros = 'R', :produtos - :desconto, null),
            iif(:base_outros = 'R', (:produtos - :desconto) * 0.02, null),
            cast(:produtos * (20 + sorteio(:c + 35, 21)) / 100 as numeric(18,2)), 'S',
            iif(sorteio(:c + 36, 10) < 4, 'S', 'N'));

        -- Installments of the value without freight; the first, "/A", also
        -- carries the freight when the freight goes into the installments.
        w = sorteio(c + 40, 10);
        parcelas = iif(w = 0, 0, 1 + sorteio(c + 41, 6));
        k = 1;
        while (k <= parcelas) do begin
            parcela = cast((total - iif(incluir_frete = 'S', frete, 0)) / parcelas as numeric(18,2));
            valor = iif(k < parcelas, parcela, total - iif(incluir_frete = 'S', frete, 0) - parcela * (parcelas - 1))
                    + iif(k = 1 and incluir_frete = 'S', frete, 0);
            vencto = emissao + 30 * k;
            baixa = iif(vencto < current_date and sorteio(c + 42 + k * 4, 100) < 75,
                        minvalue(vencto + sorteio(c + 43 + k * 4, 6), current_date), null);
            insert into mov_financeiro (id_financeiro, id_nf_comercio, no_documento, vl_documento, dt_vencto, dt_baixa,
                vl_desconto, vl_abatimento, vl_outras_reducoes, id_tp_mov_financ, st_calc_comissao, id_comissao_gerada)
                values (:base_financeiro + (:i - 1) * 6 + :k, :id,
                    :id || iif(:k = 1 and :incluir_frete = 'S', '/A', '/' || :k), :valor, :vencto, :baixa,
                    iif(:baixa is not null and sorteio(:c + 44 + :k * 4, 10) = 0, cast(:valor * 0.01 as numeric(18,2)), 0),
                    0, 0, iif(sorteio(:c + 45 + :k * 4, 10) = 0, 8, 2), 'S', null);
            k = k + 1;
        end

        if (mod(i, 200) = 7) then begin
            id_comissao = id_comissao + 1;
            insert into mov_comissao (ID_COMISSAO, TP_REGISTRO, ID_NF_COMERCIO, ID_EMPRESA, ID_VENDEDOR,
                VL_COMISSAO, ID_COMISSAO_GERADA, ST_BLOQUEIO_1, ST_ESTORNO_1)
                values (:id_comissao, '1', :id, 1, :v1, 10.00, 999, 'N', 'N');
        end
        if (mod(i, 200) = 107 and parcelas > 0) then begin
            id_comissao = id_comissao + 1;
            insert into mov_comissao (ID_COMISSAO, TP_REGISTRO, ID_NF_COMERCIO, ID_FINANCEIRO, ID_EMPRESA,
                ID_VENDEDOR, VL_COMISSAO, ID_COMISSAO_GERADA, ST_BLOQUEIO_1, ST_ESTORNO_1)
                values (:id_comissao, '2', :id, :base_financeiro + (:i - 1) * 6 + 1, 1, :v1, 5.00, 999, 'N', 'N');
        end
        i = i + 1;
    end
end^

commit^

execute block as
    declare nome varchar(63);
begin
    for select trim(rdb$index_name) from rdb$indices
        where coalesce(rdb$system_flag, 0) = 0 and rdb$index_inactive = 1
        into :nome do
        execute statement 'alter index ' || nome || ' active';
end^

commit^

execute block as
    declare nome varchar(63);
begin
    for select trim(rdb$index_name) from rdb$indices where coalesce(rdb$system_flag, 0) = 0
        into :nome do
        execute statement 'set statistics index ' || nome;
end^

commit^

set term ;^
