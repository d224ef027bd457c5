# The Debian packages, made with `cpack -G DEB` in the build folder, one per
# CPack component, from one build:
#
#   telmoracomissao2 (component servidor): the console program under
#     /usr/libexec/telmoracomissao2, the command /usr/bin/telmoraComissao2 that
#     runs it for an installation, the man page and the systemd units, with
#     their maintainer scripts (sources in pacote/);
#   telmoracomissao2-desktop (component desktop, with TELMORA_GUI): the
#     window and tray program under /usr/libexec/telmoracomissao2-desktop, which
#     /usr/bin/telmoraComissao2 then runs instead; it needs the first.
#
# Both carry the version TELMORA_VERSAO (the project's VERSION). Install rules
# and CPack settings only: the programs build as they do without them.
set(TELMORA_PACOTE telmoracomissao2)
set(TELMORA_PACOTE_DESKTOP telmoracomissao2-desktop)
set(TELMORA_PACOTE_FONTES ${PROJECT_SOURCE_DIR}/pacote)
set(TELMORA_PACOTE_GERADOS ${PROJECT_BINARY_DIR}/pacote)

# pacote/changelog's latest entry is the project's version: bump both
# together. A build given another version (-DTELMORA_VERSAO) gets an entry of
# its own on top.
file(STRINGS ${TELMORA_PACOTE_FONTES}/changelog primeira_linha LIMIT_COUNT 1)
string(REGEX MATCH "\\(([^)]+)\\)" _ "${primeira_linha}")
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "pacote/changelog starts with version ${CMAKE_MATCH_1}, but the project's VERSION is "
                      "${PROJECT_VERSION}: add the new version's entry to pacote/changelog.")
endif()
file(READ ${TELMORA_PACOTE_FONTES}/changelog historico)
if(NOT TELMORA_VERSAO STREQUAL PROJECT_VERSION)
  string(TIMESTAMP agora "%a, %d %b %Y %H:%M:%S +0000" UTC)
  set(historico "${TELMORA_PACOTE} (${TELMORA_VERSAO}) bookworm; urgency=medium

  * Versão ${TELMORA_VERSAO} compilada da versão ${PROJECT_VERSION}, para ensaiar
    uma atualização.

 -- telmora <suporte@telmora.com.br>  ${agora}

${historico}")
endif()
file(WRITE ${TELMORA_PACOTE_GERADOS}/changelog "${historico}")
configure_file(${TELMORA_PACOTE_FONTES}/telmoraComissao2.1 ${TELMORA_PACOTE_GERADOS}/telmoraComissao2.1 @ONLY)

install(TARGETS ${TELMORA_PROGRAMA_SERVIDOR} RUNTIME DESTINATION libexec/${TELMORA_PACOTE} COMPONENT servidor)
install(PROGRAMS ${TELMORA_PACOTE_FONTES}/telmoraComissao2 DESTINATION bin COMPONENT servidor)
# Debian 12 keeps the units of its packages in /lib/systemd/system.
install(FILES
  ${TELMORA_PACOTE_FONTES}/telmoraComissao2@.service
  ${TELMORA_PACOTE_FONTES}/telmoraComissao2-manual@.service
  ${TELMORA_PACOTE_FONTES}/telmoraComissao2-manual@.timer
  DESTINATION /lib/systemd/system COMPONENT servidor)
install(FILES ${TELMORA_PACOTE_FONTES}/copyright DESTINATION share/doc/${TELMORA_PACOTE} COMPONENT servidor)
if(TELMORA_GUI)
  install(TARGETS telmoraComissao2 RUNTIME DESTINATION libexec/${TELMORA_PACOTE_DESKTOP} COMPONENT desktop)
  install(FILES ${TELMORA_PACOTE_FONTES}/copyright DESTINATION share/doc/${TELMORA_PACOTE_DESKTOP} COMPONENT desktop)
endif()

# The man page and the changelogs are installed compressed; -n leaves the
# time out of the file, so the same text always gives the same bytes.
function(instalar_comprimido origem destino componente)
  install(CODE "
    set(destino \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${destino}\")
    get_filename_component(pasta \"\${destino}\" DIRECTORY)
    file(MAKE_DIRECTORY \"\${pasta}\")
    execute_process(COMMAND gzip -9 -n -c \"${origem}\" OUTPUT_FILE \"\${destino}\" COMMAND_ERROR_IS_FATAL ANY)
    file(CHMOD \"\${destino}\" PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
  " COMPONENT ${componente})
endfunction()
instalar_comprimido(${TELMORA_PACOTE_GERADOS}/telmoraComissao2.1 share/man/man1/telmoraComissao2.1.gz servidor)
instalar_comprimido(${TELMORA_PACOTE_GERADOS}/changelog share/doc/${TELMORA_PACOTE}/changelog.gz servidor)
if(TELMORA_GUI)
  instalar_comprimido(${TELMORA_PACOTE_GERADOS}/changelog share/doc/${TELMORA_PACOTE_DESKTOP}/changelog.gz desktop)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL servidor)
if(TELMORA_GUI)
  list(APPEND CPACK_COMPONENTS_ALL desktop)
endif()
set(CPACK_PACKAGE_NAME ${TELMORA_PACOTE})
set(CPACK_PACKAGE_VERSION ${TELMORA_VERSAO})
set(CPACK_PACKAGE_VENDOR "telmora")
set(CPACK_PACKAGE_CONTACT "telmora <suporte@telmora.com.br>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://${TELMORA_SITE_HOST}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

set(CPACK_DEBIAN_SERVIDOR_PACKAGE_NAME ${TELMORA_PACOTE})
# The embedded engine, which the default installation opens its database
# with, is a plugin the client library loads at run time: no shared-library
# dependency names it.
set(CPACK_DEBIAN_SERVIDOR_PACKAGE_DEPENDS "firebird3.0-server-core")
set(CPACK_DEBIAN_SERVIDOR_PACKAGE_CONTROL_EXTRA
    ${TELMORA_PACOTE_FONTES}/debian/postinst
    ${TELMORA_PACOTE_FONTES}/debian/prerm
    ${TELMORA_PACOTE_FONTES}/debian/postrm)
# The first line is the synopsis; CPack indents the others.
set(CPACK_COMPONENT_SERVIDOR_DESCRIPTION "monitor de comissões do ERP telmora, para servidores
O monitor mantém em dia as comissões de vendedores no banco Firebird do ERP
telmora: transforma as notas, duplicatas e acertos pendentes em movimentos
de comissão, bloqueia e estorna comissões e recupera adiantamentos.

Este pacote traz o programa de console, o comando telmoraComissao2, que o
executa para a pasta de uma instalação do sistema, e as unidades do systemd
do monitor residente (telmoraComissao2@.service) e da rodada diária
(telmoraComissao2-manual@.timer). As atualizações do programa vêm deste
pacote.")

set(CPACK_DEBIAN_DESKTOP_PACKAGE_NAME ${TELMORA_PACOTE_DESKTOP})
set(CPACK_DEBIAN_DESKTOP_PACKAGE_DEPENDS "${TELMORA_PACOTE} (= ${TELMORA_VERSAO})")
set(CPACK_COMPONENT_DESKTOP_DESCRIPTION "monitor de comissões do ERP telmora, com janela
O monitor mantém em dia as comissões de vendedores no banco Firebird do ERP
telmora.

Este pacote traz o programa com a janela e o ícone na área de notificação
(Qt Widgets). Com ele instalado, o comando telmoraComissao2 mostra a janela
quando há uma tela e usa o console quando não há; as unidades do systemd
seguem com o programa de console.")
include(CPack)
