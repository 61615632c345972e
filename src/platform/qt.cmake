# Qt implementations of the message-box, file-dialog and clipboard seams.
add_library(coilsmith_platform_qt STATIC
    ${CMAKE_CURRENT_LIST_DIR}/QtPrompter.cpp
    ${CMAKE_CURRENT_LIST_DIR}/QtFileDialogs.cpp
    ${CMAKE_CURRENT_LIST_DIR}/QtClipboard.cpp)
target_include_directories(coilsmith_platform_qt PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(coilsmith_platform_qt PUBLIC Qt6::Widgets)
