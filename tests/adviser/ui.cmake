# The adviser window offscreen.
add_executable(adviser_ui_tests CoreAdviserTest.cpp AdviserCatalogues.cpp)
target_link_libraries(adviser_ui_tests PRIVATE coilsmith_adviserui coilsmith_csx Qt6::Test)
target_compile_definitions(adviser_ui_tests PRIVATE
    COILSMITH_SHIPPED_CATALOGUE="${COILSMITH_BIN_DIR}/Cores.csx")
add_dependencies(adviser_ui_tests catalogue_db)
add_test(NAME adviser_ui_tests COMMAND adviser_ui_tests)
set_tests_properties(adviser_ui_tests PROPERTIES TIMEOUT 300
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen")

