# The design window widget over ChokeModel.
add_library(coilsmith_designui STATIC
    ${CMAKE_CURRENT_LIST_DIR}/Choke.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ChokePages.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CheckPage.cpp)
target_include_directories(coilsmith_designui PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(coilsmith_designui PUBLIC coilsmith_model Qt6::Widgets Qt6::Charts)
