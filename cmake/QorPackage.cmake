# The Debian package of the program (CPack, DEB generator), built by
# scripts/package.sh. CPack because the build is CMake's already: it packages
# the install rules of an existing build tree, so CI packages the tree it has
# just tested instead of building everything again as dpkg-buildpackage would.

# Debian's hardening: relocations read-only and bound at start.
add_link_options(-Wl,-z,relro -Wl,-z,now)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME qor-caixa)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Equipe QOR Caixa <caixa@qor.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "caixa gerencial para farmácias de manipulação")
set(CPACK_PACKAGE_DESCRIPTION
  "Estação de caixa da suíte de gestão da farmácia: o operador abre a sessão
de caixa, registra sinais e quitações de pedidos (gravados no banco de
pedidos Firebird da farmácia), sangrias e ressuprimentos, fecha a sessão com
os totais por forma de pagamento e emite relatórios de sessão e de período.
Traz também a configuração da estação, a importação das tabelas do caixa
anterior e as cópias de segurança dos dados.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://qor.example/caixa")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Linked libraries (Qt 6, SQLite) come from dpkg-shlibdeps. The Firebird
# client is loaded at run time and the report fonts are read by name, so
# those are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libfbclient2, fonts-liberation, fonts-dejavu-core")
# Qt's own texts (buttons, print and file dialogs) in Portuguese.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
# In-process access to a database file (no server address in Servidor).
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "firebird3.0-server-core")
include(CPack)
