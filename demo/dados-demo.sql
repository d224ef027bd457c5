-- Sample data of one company for the demo installation, loaded after the
-- schema (tests/fixtures/esquema.sql) with the connection in UTF8. Dates are
-- relative to the day of loading, so every run of the demo finds work for
-- every phase:
--   * pending invoices of natures with commission modes 0 to 6, with one to
--     two sellers each, some crediting part of the commission on invoicing;
--   * receivables paid, open and overdue;
--   * credit ("A") and debit ("D") settlements entered by users;
--   * NF 1008, of a nature that checks the delivery receipt, issued 60 days
--     ago and still without order situation: its commission gets blocked and
--     reversed;
--   * NF 1009, whose receipt came back: its reversed commission is paid back;
--   * NF 1010, whose commission is already part of a commission payment
--     (frozen: left alone, with a warning);
--   * NF 1011, on a payment plan that takes back advanced commission 15 days
--     after an unpaid due date;
--   * NF 1012, whose products total disagrees with its items (taken out of
--     commission processing and logged).
-- Statements end with ";" at the end of a line.

update tab_parametro set hr_atualizar_comissao = 7, ST_MONITOR_COMISSAO_ATIVO = 'N',
    ST_COMISSAO_FRETE_DESPESA = 'N', ST_COMISSAO_IPI_ICMSST = 'N'
    where ID_PARAMETRO = 1;

-- Customers (100 to 104) and sellers (7 to 10).
insert into cad_pessoa (id_pessoa, nm_pesquisa) values (100, 'MERCADO BOM PREÇO LTDA');
insert into cad_pessoa (id_pessoa, nm_pesquisa) values (101, 'FERRAGENS SÃO JOÃO');
insert into cad_pessoa (id_pessoa, nm_pesquisa) values (102, 'PADARIA PÃO DOURADO');
insert into cad_pessoa (id_pessoa, nm_pesquisa) values (103, 'CONSTRUTORA ALVORADA');
insert into cad_pessoa (id_pessoa, nm_pesquisa) values (104, 'DISTRIBUIDORA NORTE SUL');
insert into cad_pessoa (id_pessoa, nm_pesquisa) values (7, 'CARLOS ANDRADE');
insert into cad_pessoa (id_pessoa, nm_pesquisa) values (8, 'MARIANA LOPES');
insert into cad_pessoa (id_pessoa, nm_pesquisa) values (9, 'JOSÉ RIBEIRO');
insert into cad_pessoa (id_pessoa, nm_pesquisa) values (10, 'ANA PAULA COSTA');

-- Natures of operation: mode = id_sugerir_comissao; 17 checks the delivery receipt.
insert into tab_nat_operacao (id_nat_operacao, id_sugerir_comissao, ST_COMISSAO_PAGAR, ST_VERIFICA_FASE) values (10, 0, 'S', 'N');
insert into tab_nat_operacao (id_nat_operacao, id_sugerir_comissao, ST_COMISSAO_PAGAR, ST_VERIFICA_FASE) values (11, 1, 'S', 'N');
insert into tab_nat_operacao (id_nat_operacao, id_sugerir_comissao, ST_COMISSAO_PAGAR, ST_VERIFICA_FASE) values (12, 2, 'S', 'N');
insert into tab_nat_operacao (id_nat_operacao, id_sugerir_comissao, ST_COMISSAO_PAGAR, ST_VERIFICA_FASE) values (13, 3, 'S', 'N');
insert into tab_nat_operacao (id_nat_operacao, id_sugerir_comissao, ST_COMISSAO_PAGAR, ST_VERIFICA_FASE) values (14, 4, 'S', 'N');
insert into tab_nat_operacao (id_nat_operacao, id_sugerir_comissao, ST_COMISSAO_PAGAR, ST_VERIFICA_FASE) values (15, 5, 'S', 'N');
insert into tab_nat_operacao (id_nat_operacao, id_sugerir_comissao, ST_COMISSAO_PAGAR, ST_VERIFICA_FASE) values (16, 6, 'S', 'N');
insert into tab_nat_operacao (id_nat_operacao, id_sugerir_comissao, ST_COMISSAO_PAGAR, ST_VERIFICA_FASE) values (17, 0, 'S', 'S');

-- Order situations: 1 receipt back (commission may be paid), 2 waiting.
insert into fix_situacao_orcamento (id_situacao_orcamento, st_pagar_comissao) values (1, 'S');
insert into fix_situacao_orcamento (id_situacao_orcamento, st_pagar_comissao) values (2, 'N');

-- Payment plans: 1 takes advanced commission back 15 days after an unpaid due date.
insert into tab_plano_pagto (id_plano_pagto, qt_dias_estorna_comissao) values (1, 15);
insert into tab_plano_pagto (id_plano_pagto, qt_dias_estorna_comissao) values (2, null);

-- Products and their manufacturers (50, 51; product 4 has none).
insert into cad_produto (id_produto, id_fabrica) values (1, 50);
insert into cad_produto (id_produto, id_fabrica) values (2, 51);
insert into cad_produto (id_produto, id_fabrica) values (3, 50);
insert into cad_produto (id_produto, id_fabrica) values (4, null);

-- The sellers' commission table: per manufacturer, and a general row (null).
insert into tab_comissao_por_vendedor (id_empresa, id_vendedor, id_fabricante, po_comissao) values (1, 7, 50, 4.00);
insert into tab_comissao_por_vendedor (id_empresa, id_vendedor, id_fabricante, po_comissao) values (1, 7, null, 3.00);
insert into tab_comissao_por_vendedor (id_empresa, id_vendedor, id_fabricante, po_comissao) values (1, 8, 51, 6.00);
insert into tab_comissao_por_vendedor (id_empresa, id_vendedor, id_fabricante, po_comissao) values (1, 8, null, 2.00);
insert into tab_comissao_por_vendedor (id_empresa, id_vendedor, id_fabricante, po_comissao) values (1, 9, null, 2.50);
insert into tab_comissao_por_vendedor (id_empresa, id_vendedor, id_fabricante, po_comissao) values (1, 10, null, 3.00);

-- Invoices. Columns: company, slot 1 (seller, %, credit on invoicing, credited %),
-- slot 2 (seller, %, credit, credited %, additional), series, number, issue date,
-- customer, totals (invoice, products, discount, services, financed, freight),
-- nature, order situation, payment plan, state, returned, base of the other
-- sellers, base, commission, sale result, pending, advance reversible.
insert into mov_nf_comercio (id_nf_comercio, id_empresa,
    id_vendedor, po_comissao, st_credito_fat, PO_CREDITO_FAT,
    id_vendedor2, po_comissao2, st_credito_fat2, PO_CREDITO_FAT2, st_comissao_ad2,
    ds_serie_nf, nr_nota_fiscal, dt_emissao, id_destinatario_remetente,
    vl_total_nf, vl_produtos, vl_desconto, vl_servico, vl_financeiro, vl_frete, st_incluir_frete_parc,
    id_nat_operacao, id_situacao_orcamento, id_plano_pagto, id_st_nf, st_devolvido, tp_base_comissao_outros,
    vl_base_comissao, vl_comissao, vl_resultado_venda, st_calc_comissao, st_estornar_comissao)
values (1001, 1, 7, null, 'S', 40, 8, 1.50, 'N', null, 'S', '1', '1001', current_date - 35, 100,
    1000.00, 1000.00, 0, 0, 1000.00, 0, 'N', 10, null, 1, 5, 'N', 'P', null, null, null, 'S', 'N');

insert into mov_nf_comercio (id_nf_comercio, id_empresa,
    id_vendedor, po_comissao, st_credito_fat, PO_CREDITO_FAT,
    id_vendedor2, po_comissao2, st_credito_fat2, PO_CREDITO_FAT2, st_comissao_ad2,
    ds_serie_nf, nr_nota_fiscal, dt_emissao, id_destinatario_remetente,
    vl_total_nf, vl_produtos, vl_desconto, vl_servico, vl_financeiro, vl_frete, st_incluir_frete_parc,
    id_nat_operacao, id_situacao_orcamento, id_plano_pagto, id_st_nf, st_devolvido, tp_base_comissao_outros,
    vl_base_comissao, vl_comissao, vl_resultado_venda, st_calc_comissao, st_estornar_comissao)
values (1002, 1, 8, null, 'S', 100, null, null, null, null, null, '1', '1002', current_date - 20, 101,
    300.00, 300.00, 0, 0, 300.00, 0, 'N', 11, null, 2, 5, 'N', 'P', null, null, null, 'S', 'N');

insert into mov_nf_comercio (id_nf_comercio, id_empresa,
    id_vendedor, po_comissao, st_credito_fat, PO_CREDITO_FAT,
    id_vendedor2, po_comissao2, st_credito_fat2, PO_CREDITO_FAT2, st_comissao_ad2,
    ds_serie_nf, nr_nota_fiscal, dt_emissao, id_destinatario_remetente,
    vl_total_nf, vl_produtos, vl_desconto, vl_servico, vl_financeiro, vl_frete, st_incluir_frete_parc,
    id_nat_operacao, id_situacao_orcamento, id_plano_pagto, id_st_nf, st_devolvido, tp_base_comissao_outros,
    vl_base_comissao, vl_comissao, vl_resultado_venda, st_calc_comissao, st_estornar_comissao)
values (1003, 1, 9, null, 'N', null, 7, 1.00, 'N', null, 'N', '1', '1003', current_date - 55, 102,
    1140.00, 1200.00, 60.00, 0, 1140.00, 0, 'N', 12, null, 1, 5, 'N', 'C', null, null, null, 'S', null);

insert into mov_nf_comercio (id_nf_comercio, id_empresa,
    id_vendedor, po_comissao, st_credito_fat, PO_CREDITO_FAT,
    id_vendedor2, po_comissao2, st_credito_fat2, PO_CREDITO_FAT2, st_comissao_ad2,
    ds_serie_nf, nr_nota_fiscal, dt_emissao, id_destinatario_remetente,
    vl_total_nf, vl_produtos, vl_desconto, vl_servico, vl_financeiro, vl_frete, st_incluir_frete_parc,
    id_nat_operacao, id_situacao_orcamento, id_plano_pagto, id_st_nf, st_devolvido, tp_base_comissao_outros,
    vl_base_comissao, vl_comissao, vl_resultado_venda, st_calc_comissao, st_estornar_comissao)
values (1004, 1, 10, null, 'S', 50, null, null, null, null, null, '1', '1004', current_date - 45, 103,
    800.00, 800.00, 0, 0, 800.00, 0, 'N', 13, null, 1, 3, 'N', 'P', null, null, null, 'S', 'N');

insert into mov_nf_comercio (id_nf_comercio, id_empresa,
    id_vendedor, po_comissao, st_credito_fat, PO_CREDITO_FAT,
    id_vendedor2, po_comissao2, st_credito_fat2, PO_CREDITO_FAT2, st_comissao_ad2,
    ds_serie_nf, nr_nota_fiscal, dt_emissao, id_destinatario_remetente,
    vl_total_nf, vl_produtos, vl_desconto, vl_servico, vl_financeiro, vl_frete, st_incluir_frete_parc,
    id_nat_operacao, id_situacao_orcamento, id_plano_pagto, id_st_nf, st_devolvido, tp_base_comissao_outros,
    vl_base_comissao, vl_comissao, vl_resultado_venda, st_calc_comissao, st_estornar_comissao)
values (1005, 1, 8, null, 'N', null, 10, 2.00, 'S', 100, null, '1', '1005', current_date - 3, 104,
    600.00, 600.00, 0, 0, 0, 0, 'N', 14, null, 2, 5, 'N', null, null, null, null, 'S', 'N');

insert into mov_nf_comercio (id_nf_comercio, id_empresa,
    id_vendedor, po_comissao, st_credito_fat, PO_CREDITO_FAT,
    id_vendedor2, po_comissao2, st_credito_fat2, PO_CREDITO_FAT2, st_comissao_ad2,
    ds_serie_nf, nr_nota_fiscal, dt_emissao, id_destinatario_remetente,
    vl_total_nf, vl_produtos, vl_desconto, vl_servico, vl_financeiro, vl_frete, st_incluir_frete_parc,
    id_nat_operacao, id_situacao_orcamento, id_plano_pagto, id_st_nf, st_devolvido, tp_base_comissao_outros,
    vl_base_comissao, vl_comissao, vl_resultado_venda, st_calc_comissao, st_estornar_comissao)
values (1006, 1, 7, null, 'S', 50, null, null, null, null, null, '1', '1006', current_date - 20, 100,
    900.00, 900.00, 0, 0, 900.00, 0, 'N', 15, null, 2, 5, 'N', 'P', null, null, 350.00, 'S', 'N');

insert into mov_nf_comercio (id_nf_comercio, id_empresa,
    id_vendedor, po_comissao, st_credito_fat, PO_CREDITO_FAT,
    id_vendedor2, po_comissao2, st_credito_fat2, PO_CREDITO_FAT2, st_comissao_ad2,
    ds_serie_nf, nr_nota_fiscal, dt_emissao, id_destinatario_remetente,
    vl_total_nf, vl_produtos, vl_desconto, vl_servico, vl_financeiro, vl_frete, st_incluir_frete_parc,
    id_nat_operacao, id_situacao_orcamento, id_plano_pagto, id_st_nf, st_devolvido, tp_base_comissao_outros,
    vl_base_comissao, vl_comissao, vl_resultado_venda, st_calc_comissao, st_estornar_comissao)
values (1007, 1, 7, null, 'S', 30, 8, null, 'N', null, 'S', '1', '1007', current_date - 31, 101,
    1000.00, 1000.00, 0, 0, 1000.00, 0, 'N', 16, null, 1, 5, 'N', 'P', null, null, null, 'S', 'N');

insert into mov_nf_comercio (id_nf_comercio, id_empresa,
    id_vendedor, po_comissao, st_credito_fat, PO_CREDITO_FAT,
    id_vendedor2, po_comissao2, st_credito_fat2, PO_CREDITO_FAT2, st_comissao_ad2,
    ds_serie_nf, nr_nota_fiscal, dt_emissao, id_destinatario_remetente,
    vl_total_nf, vl_produtos, vl_desconto, vl_servico, vl_financeiro, vl_frete, st_incluir_frete_parc,
    id_nat_operacao, id_situacao_orcamento, id_plano_pagto, id_st_nf, st_devolvido, tp_base_comissao_outros,
    vl_base_comissao, vl_comissao, vl_resultado_venda, st_calc_comissao, st_estornar_comissao)
values (1008, 1, 9, 3.00, 'S', 100, null, null, null, null, null, '1', '1008', current_date - 60, 102,
    700.00, 700.00, 0, 0, 700.00, 0, 'N', 17, null, 2, 5, 'N', 'P', 700.00, 21.00, null, 'N', 'N');

insert into mov_nf_comercio (id_nf_comercio, id_empresa,
    id_vendedor, po_comissao, st_credito_fat, PO_CREDITO_FAT,
    id_vendedor2, po_comissao2, st_credito_fat2, PO_CREDITO_FAT2, st_comissao_ad2,
    ds_serie_nf, nr_nota_fiscal, dt_emissao, id_destinatario_remetente,
    vl_total_nf, vl_produtos, vl_desconto, vl_servico, vl_financeiro, vl_frete, st_incluir_frete_parc,
    id_nat_operacao, id_situacao_orcamento, id_plano_pagto, id_st_nf, st_devolvido, tp_base_comissao_outros,
    vl_base_comissao, vl_comissao, vl_resultado_venda, st_calc_comissao, st_estornar_comissao)
values (1009, 1, 10, 2.50, 'S', 100, null, null, null, null, null, '1', '1009', current_date - 75, 103,
    600.00, 600.00, 0, 0, 600.00, 0, 'N', 17, 1, 2, 5, 'N', 'P', 600.00, 15.00, null, 'N', 'N');

insert into mov_nf_comercio (id_nf_comercio, id_empresa,
    id_vendedor, po_comissao, st_credito_fat, PO_CREDITO_FAT,
    id_vendedor2, po_comissao2, st_credito_fat2, PO_CREDITO_FAT2, st_comissao_ad2,
    ds_serie_nf, nr_nota_fiscal, dt_emissao, id_destinatario_remetente,
    vl_total_nf, vl_produtos, vl_desconto, vl_servico, vl_financeiro, vl_frete, st_incluir_frete_parc,
    id_nat_operacao, id_situacao_orcamento, id_plano_pagto, id_st_nf, st_devolvido, tp_base_comissao_outros,
    vl_base_comissao, vl_comissao, vl_resultado_venda, st_calc_comissao, st_estornar_comissao)
values (1010, 1, 8, null, 'S', 100, null, null, null, null, null, '1', '1010', current_date - 40, 104,
    250.00, 250.00, 0, 0, 0, 0, 'N', 10, null, 2, 5, 'N', 'P', null, null, null, 'S', 'N');

insert into mov_nf_comercio (id_nf_comercio, id_empresa,
    id_vendedor, po_comissao, st_credito_fat, PO_CREDITO_FAT,
    id_vendedor2, po_comissao2, st_credito_fat2, PO_CREDITO_FAT2, st_comissao_ad2,
    ds_serie_nf, nr_nota_fiscal, dt_emissao, id_destinatario_remetente,
    vl_total_nf, vl_produtos, vl_desconto, vl_servico, vl_financeiro, vl_frete, st_incluir_frete_parc,
    id_nat_operacao, id_situacao_orcamento, id_plano_pagto, id_st_nf, st_devolvido, tp_base_comissao_outros,
    vl_base_comissao, vl_comissao, vl_resultado_venda, st_calc_comissao, st_estornar_comissao)
values (1011, 1, 7, 5.00, 'S', 40, null, null, null, null, null, '1', '1011', current_date - 90, 100,
    1000.00, 1000.00, 0, 0, 1000.00, 0, 'N', 10, null, 1, 5, 'N', 'P', 1000.00, 50.00, null, 'N', 'S');

insert into mov_nf_comercio (id_nf_comercio, id_empresa,
    id_vendedor, po_comissao, st_credito_fat, PO_CREDITO_FAT,
    id_vendedor2, po_comissao2, st_credito_fat2, PO_CREDITO_FAT2, st_comissao_ad2,
    ds_serie_nf, nr_nota_fiscal, dt_emissao, id_destinatario_remetente,
    vl_total_nf, vl_produtos, vl_desconto, vl_servico, vl_financeiro, vl_frete, st_incluir_frete_parc,
    id_nat_operacao, id_situacao_orcamento, id_plano_pagto, id_st_nf, st_devolvido, tp_base_comissao_outros,
    vl_base_comissao, vl_comissao, vl_resultado_venda, st_calc_comissao, st_estornar_comissao)
values (1012, 1, 7, null, 'S', 100, null, null, null, null, null, '1', '1012', current_date - 5, 101,
    500.00, 500.00, 0, 0, 500.00, 0, 'N', 10, null, 2, 5, 'N', 'P', null, null, null, 'S', 'N');

-- Invoice items: invoice, item number, product, quantity, unit price, total,
-- freight included in the price and per unit, the item's commission %.
insert into mov_nf_comercio_item (id_nf_comercio_item, id_nf_comercio, no_item, id_produto, qt_produto, vl_unitario, vl_total, st_frete_incluso, vl_frete_unit, po_comissao) values (10011, 1001, 1, 1, 10, 50.00, 500.00, 'N', 0, 5.00);
insert into mov_nf_comercio_item (id_nf_comercio_item, id_nf_comercio, no_item, id_produto, qt_produto, vl_unitario, vl_total, st_frete_incluso, vl_frete_unit, po_comissao) values (10012, 1001, 2, 2, 4, 125.00, 500.00, 'N', 0, 3.00);
insert into mov_nf_comercio_item (id_nf_comercio_item, id_nf_comercio, no_item, id_produto, qt_produto, vl_unitario, vl_total, st_frete_incluso, vl_frete_unit, po_comissao) values (10021, 1002, 1, 3, 2, 150.00, 300.00, 'N', 0, 4.00);
insert into mov_nf_comercio_item (id_nf_comercio_item, id_nf_comercio, no_item, id_produto, qt_produto, vl_unitario, vl_total, st_frete_incluso, vl_frete_unit, po_comissao) values (10031, 1003, 1, 1, 20, 45.00, 900.00, 'S', 1.00, 5.00);
insert into mov_nf_comercio_item (id_nf_comercio_item, id_nf_comercio, no_item, id_produto, qt_produto, vl_unitario, vl_total, st_frete_incluso, vl_frete_unit, po_comissao) values (10032, 1003, 2, 4, 3, 100.00, 300.00, 'N', 0, 2.00);
insert into mov_nf_comercio_item (id_nf_comercio_item, id_nf_comercio, no_item, id_produto, qt_produto, vl_unitario, vl_total, st_frete_incluso, vl_frete_unit, po_comissao) values (10041, 1004, 1, 2, 8, 100.00, 800.00, 'N', 0, 3.00);
insert into mov_nf_comercio_item (id_nf_comercio_item, id_nf_comercio, no_item, id_produto, qt_produto, vl_unitario, vl_total, st_frete_incluso, vl_frete_unit, po_comissao) values (10051, 1005, 1, 3, 5, 120.00, 600.00, 'N', 0, 4.00);
insert into mov_nf_comercio_item (id_nf_comercio_item, id_nf_comercio, no_item, id_produto, qt_produto, vl_unitario, vl_total, st_frete_incluso, vl_frete_unit, po_comissao) values (10061, 1006, 1, 4, 10, 90.00, 900.00, 'N', 0, 2.00);
insert into mov_nf_comercio_item (id_nf_comercio_item, id_nf_comercio, no_item, id_produto, qt_produto, vl_unitario, vl_total, st_frete_incluso, vl_frete_unit, po_comissao) values (10071, 1007, 1, 1, 10, 60.00, 600.00, 'N', 0, null);
insert into mov_nf_comercio_item (id_nf_comercio_item, id_nf_comercio, no_item, id_produto, qt_produto, vl_unitario, vl_total, st_frete_incluso, vl_frete_unit, po_comissao) values (10072, 1007, 2, 2, 5, 80.00, 400.00, 'N', 0, null);
insert into mov_nf_comercio_item (id_nf_comercio_item, id_nf_comercio, no_item, id_produto, qt_produto, vl_unitario, vl_total, st_frete_incluso, vl_frete_unit, po_comissao) values (10081, 1008, 1, 4, 7, 100.00, 700.00, 'N', 0, 3.00);
insert into mov_nf_comercio_item (id_nf_comercio_item, id_nf_comercio, no_item, id_produto, qt_produto, vl_unitario, vl_total, st_frete_incluso, vl_frete_unit, po_comissao) values (10091, 1009, 1, 3, 4, 150.00, 600.00, 'N', 0, 2.50);
insert into mov_nf_comercio_item (id_nf_comercio_item, id_nf_comercio, no_item, id_produto, qt_produto, vl_unitario, vl_total, st_frete_incluso, vl_frete_unit, po_comissao) values (10101, 1010, 1, 3, 1, 250.00, 250.00, 'N', 0, 4.00);
insert into mov_nf_comercio_item (id_nf_comercio_item, id_nf_comercio, no_item, id_produto, qt_produto, vl_unitario, vl_total, st_frete_incluso, vl_frete_unit, po_comissao) values (10111, 1011, 1, 1, 20, 50.00, 1000.00, 'N', 0, 5.00);
insert into mov_nf_comercio_item (id_nf_comercio_item, id_nf_comercio, no_item, id_produto, qt_produto, vl_unitario, vl_total, st_frete_incluso, vl_frete_unit, po_comissao) values (10121, 1012, 1, 2, 3, 150.00, 450.00, 'N', 0, 3.00);

-- Receivables (movement kind 2): document, value, due date, payment date
-- (null while open), discount on payment, pending, part of a commission payment.
insert into mov_financeiro (id_financeiro, id_nf_comercio, no_documento, vl_documento, dt_vencto, dt_baixa, vl_desconto, vl_abatimento, vl_outras_reducoes, id_tp_mov_financ, st_calc_comissao, id_comissao_gerada) values (20011, 1001, '1001/1', 500.00, current_date - 5, current_date - 4, 0, 0, 0, 2, 'S', null);
insert into mov_financeiro (id_financeiro, id_nf_comercio, no_documento, vl_documento, dt_vencto, dt_baixa, vl_desconto, vl_abatimento, vl_outras_reducoes, id_tp_mov_financ, st_calc_comissao, id_comissao_gerada) values (20012, 1001, '1001/2', 500.00, current_date + 25, null, 0, 0, 0, 2, 'S', null);
insert into mov_financeiro (id_financeiro, id_nf_comercio, no_documento, vl_documento, dt_vencto, dt_baixa, vl_desconto, vl_abatimento, vl_outras_reducoes, id_tp_mov_financ, st_calc_comissao, id_comissao_gerada) values (20021, 1002, '1002/1', 300.00, current_date - 2, current_date - 2, 0, 0, 0, 2, 'S', null);
insert into mov_financeiro (id_financeiro, id_nf_comercio, no_documento, vl_documento, dt_vencto, dt_baixa, vl_desconto, vl_abatimento, vl_outras_reducoes, id_tp_mov_financ, st_calc_comissao, id_comissao_gerada) values (20031, 1003, '1003/1', 380.00, current_date - 25, current_date - 24, 5.00, 0, 0, 2, 'S', null);
insert into mov_financeiro (id_financeiro, id_nf_comercio, no_documento, vl_documento, dt_vencto, dt_baixa, vl_desconto, vl_abatimento, vl_outras_reducoes, id_tp_mov_financ, st_calc_comissao, id_comissao_gerada) values (20032, 1003, '1003/2', 380.00, current_date - 3, null, 0, 0, 0, 2, 'S', null);
insert into mov_financeiro (id_financeiro, id_nf_comercio, no_documento, vl_documento, dt_vencto, dt_baixa, vl_desconto, vl_abatimento, vl_outras_reducoes, id_tp_mov_financ, st_calc_comissao, id_comissao_gerada) values (20033, 1003, '1003/3', 380.00, current_date + 27, null, 0, 0, 0, 2, 'S', null);
insert into mov_financeiro (id_financeiro, id_nf_comercio, no_documento, vl_documento, dt_vencto, dt_baixa, vl_desconto, vl_abatimento, vl_outras_reducoes, id_tp_mov_financ, st_calc_comissao, id_comissao_gerada) values (20041, 1004, '1004/1', 400.00, current_date - 15, current_date - 15, 0, 0, 0, 2, 'S', null);
insert into mov_financeiro (id_financeiro, id_nf_comercio, no_documento, vl_documento, dt_vencto, dt_baixa, vl_desconto, vl_abatimento, vl_outras_reducoes, id_tp_mov_financ, st_calc_comissao, id_comissao_gerada) values (20042, 1004, '1004/2', 400.00, current_date + 15, null, 0, 0, 0, 2, 'S', null);
insert into mov_financeiro (id_financeiro, id_nf_comercio, no_documento, vl_documento, dt_vencto, dt_baixa, vl_desconto, vl_abatimento, vl_outras_reducoes, id_tp_mov_financ, st_calc_comissao, id_comissao_gerada) values (20061, 1006, '1006/1', 900.00, current_date + 10, null, 0, 0, 0, 2, 'S', null);
insert into mov_financeiro (id_financeiro, id_nf_comercio, no_documento, vl_documento, dt_vencto, dt_baixa, vl_desconto, vl_abatimento, vl_outras_reducoes, id_tp_mov_financ, st_calc_comissao, id_comissao_gerada) values (20071, 1007, '1007/1', 500.00, current_date - 1, current_date - 1, 0, 0, 0, 2, 'S', null);
insert into mov_financeiro (id_financeiro, id_nf_comercio, no_documento, vl_documento, dt_vencto, dt_baixa, vl_desconto, vl_abatimento, vl_outras_reducoes, id_tp_mov_financ, st_calc_comissao, id_comissao_gerada) values (20072, 1007, '1007/2', 500.00, current_date + 29, null, 0, 0, 0, 2, 'S', null);
insert into mov_financeiro (id_financeiro, id_nf_comercio, no_documento, vl_documento, dt_vencto, dt_baixa, vl_desconto, vl_abatimento, vl_outras_reducoes, id_tp_mov_financ, st_calc_comissao, id_comissao_gerada) values (20081, 1008, '1008/1', 700.00, current_date - 30, current_date - 28, 0, 0, 0, 2, 'N', null);
insert into mov_financeiro (id_financeiro, id_nf_comercio, no_documento, vl_documento, dt_vencto, dt_baixa, vl_desconto, vl_abatimento, vl_outras_reducoes, id_tp_mov_financ, st_calc_comissao, id_comissao_gerada) values (20091, 1009, '1009/1', 600.00, current_date - 45, current_date - 40, 0, 0, 0, 2, 'N', null);
insert into mov_financeiro (id_financeiro, id_nf_comercio, no_documento, vl_documento, dt_vencto, dt_baixa, vl_desconto, vl_abatimento, vl_outras_reducoes, id_tp_mov_financ, st_calc_comissao, id_comissao_gerada) values (20111, 1011, '1011/1', 400.00, current_date - 60, current_date - 58, 0, 0, 0, 2, 'N', 901);
insert into mov_financeiro (id_financeiro, id_nf_comercio, no_documento, vl_documento, dt_vencto, dt_baixa, vl_desconto, vl_abatimento, vl_outras_reducoes, id_tp_mov_financ, st_calc_comissao, id_comissao_gerada) values (20112, 1011, '1011/2', 600.00, current_date - 30, null, 0, 0, 0, 2, 'N', null);
insert into mov_financeiro (id_financeiro, id_nf_comercio, no_documento, vl_documento, dt_vencto, dt_baixa, vl_desconto, vl_abatimento, vl_outras_reducoes, id_tp_mov_financ, st_calc_comissao, id_comissao_gerada) values (20121, 1012, '1012/1', 500.00, current_date + 25, null, 0, 0, 0, 2, 'S', null);

-- Settlements: 1 is the earlier reversal of NF 1009's commission (done);
-- 2 and 3 were entered by users and wait for their commission rows.
insert into mov_acerto_comissao (ID_ACERTO_COMISSAO, DT_PAGAMENTO, ID_VENDEDOR, VL_ACERTO, TP_ACERTO, ST_IRRF, DS_ACERTO, ID_EMPRESA, ID_COMISSAO_GERADA, ST_CALC_COMISSAO, ID_COMISSAO_ESTORNADA) values (1, current_date - 29, 10, 15.00, 'D', 'N', 'ESTORNO REF CANHOTO NÃO RECEBIDO NF 1.009', 1, null, 'N', null);
insert into mov_acerto_comissao (ID_ACERTO_COMISSAO, DT_PAGAMENTO, ID_VENDEDOR, VL_ACERTO, TP_ACERTO, ST_IRRF, DS_ACERTO, ID_EMPRESA, ID_COMISSAO_GERADA, ST_CALC_COMISSAO, ID_COMISSAO_ESTORNADA) values (2, current_date - 1, 8, 120.00, 'A', 'S', 'PRÊMIO META DO TRIMESTRE', 1, null, 'S', null);
insert into mov_acerto_comissao (ID_ACERTO_COMISSAO, DT_PAGAMENTO, ID_VENDEDOR, VL_ACERTO, TP_ACERTO, ST_IRRF, DS_ACERTO, ID_EMPRESA, ID_COMISSAO_GERADA, ST_CALC_COMISSAO, ID_COMISSAO_ESTORNADA) values (3, current_date - 2, 9, 45.50, 'D', 'N', 'DESCONTO DE ADIANTAMENTO DE COMISSÃO', 1, null, 'S', null);

-- Commission rows of earlier runs: NF 1008 (not yet blocked), NF 1009 (blocked
-- and reversed, its receipt back since), the reversal's own row, NF 1010 and
-- NF 1011 (both already part of commission payments 900 and 901).
insert into mov_comissao (ID_COMISSAO, TP_REGISTRO, ID_NF_COMERCIO, ID_FINANCEIRO, ID_ACERTO_COMISSAO, ID_EMPRESA, ID_VENDEDOR, DS_SERIE, NO_DOCUMENTO, DT_EMISSAO, ID_CLIENTE, NM_CLIENTE, VL_OPERACAO, VL_BASE_COMISSAO, PO_COMISSAO, VL_COMISSAO, ST_IRRF, DT_CREDITO, ST_RECEBIMENTO, ST_ENTREGA, ID_COMISSAO_GERADA, ST_CANCELADA, ST_PAGAR, ST_BLOQUEIO_1, ST_ESTORNO_1) values (1, '1', 1008, null, null, 1, 9, '1', '1008', current_date - 60, 102, 'PADARIA PÃO DOURADO', 700.00, 700.00, 3.00, 21.00, 'S', current_date - 60, 'S', 'S', null, 'N', 'S', null, null);
insert into mov_comissao (ID_COMISSAO, TP_REGISTRO, ID_NF_COMERCIO, ID_FINANCEIRO, ID_ACERTO_COMISSAO, ID_EMPRESA, ID_VENDEDOR, DS_SERIE, NO_DOCUMENTO, DT_EMISSAO, ID_CLIENTE, NM_CLIENTE, VL_OPERACAO, VL_BASE_COMISSAO, PO_COMISSAO, VL_COMISSAO, ST_IRRF, DT_CREDITO, ST_RECEBIMENTO, ST_ENTREGA, ID_COMISSAO_GERADA, ST_CANCELADA, ST_PAGAR, ST_BLOQUEIO_1, ST_ESTORNO_1) values (2, '1', 1009, null, null, 1, 10, '1', '1009', current_date - 75, 103, 'CONSTRUTORA ALVORADA', 600.00, 600.00, 2.50, 15.00, 'S', current_date - 75, 'S', 'S', null, 'N', 'S', 'S', 'S');
insert into mov_comissao (ID_COMISSAO, TP_REGISTRO, ID_NF_COMERCIO, ID_FINANCEIRO, ID_ACERTO_COMISSAO, ID_EMPRESA, ID_VENDEDOR, DS_SERIE, NO_DOCUMENTO, DT_EMISSAO, ID_CLIENTE, NM_CLIENTE, VL_OPERACAO, VL_BASE_COMISSAO, PO_COMISSAO, VL_COMISSAO, ST_IRRF, DT_CREDITO, ST_RECEBIMENTO, ST_ENTREGA, ID_COMISSAO_GERADA, ST_CANCELADA, ST_PAGAR, ST_BLOQUEIO_1, ST_ESTORNO_1) values (3, '3', null, null, 1, 1, 10, null, null, current_date - 29, 1, 'ESTORNO REF CANHOTO NÃO RECEBIDO NF 1.009', 15.00, 15.00, 0, -15.00, 'N', current_date - 29, 'S', 'S', null, 'N', 'S', 'N', 'N');
insert into mov_comissao (ID_COMISSAO, TP_REGISTRO, ID_NF_COMERCIO, ID_FINANCEIRO, ID_ACERTO_COMISSAO, ID_EMPRESA, ID_VENDEDOR, DS_SERIE, NO_DOCUMENTO, DT_EMISSAO, ID_CLIENTE, NM_CLIENTE, VL_OPERACAO, VL_BASE_COMISSAO, PO_COMISSAO, VL_COMISSAO, ST_IRRF, DT_CREDITO, ST_RECEBIMENTO, ST_ENTREGA, ID_COMISSAO_GERADA, ST_CANCELADA, ST_PAGAR, ST_BLOQUEIO_1, ST_ESTORNO_1) values (4, '1', 1010, null, null, 1, 8, '1', '1010', current_date - 40, 104, 'DISTRIBUIDORA NORTE SUL', 250.00, 250.00, 4.00, 10.00, 'S', current_date - 40, 'S', 'S', 900, 'N', 'S', 'N', 'N');
insert into mov_comissao (ID_COMISSAO, TP_REGISTRO, ID_NF_COMERCIO, ID_FINANCEIRO, ID_ACERTO_COMISSAO, ID_EMPRESA, ID_VENDEDOR, DS_SERIE, NO_DOCUMENTO, DT_EMISSAO, ID_CLIENTE, NM_CLIENTE, VL_OPERACAO, VL_BASE_COMISSAO, PO_COMISSAO, VL_COMISSAO, ST_IRRF, DT_CREDITO, ST_RECEBIMENTO, ST_ENTREGA, ID_COMISSAO_GERADA, ST_CANCELADA, ST_PAGAR, ST_BLOQUEIO_1, ST_ESTORNO_1) values (5, '1', 1011, null, null, 1, 7, '1', '1011', current_date - 90, 100, 'MERCADO BOM PREÇO LTDA', 1000.00, 1000.00, 2.00, 20.00, 'S', current_date - 90, 'S', 'S', 901, 'N', 'S', 'N', 'N');
