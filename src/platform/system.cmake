# Printing on the real system.

add_library(coilsmith_platform_print STATIC
    ${CMAKE_CURRENT_LIST_DIR}/QtPrinter.cpp
    ${CMAKE_CURRENT_LIST_DIR}/QtPrinterDialog.cpp)
target_include_directories(coilsmith_platform_print PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(coilsmith_platform_print PUBLIC Qt6::Gui Qt6::PrintSupport)

