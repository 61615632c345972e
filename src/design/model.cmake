# The design window as plain C++: its controls, state and procedures, and the design file.
add_library(coilsmith_model STATIC
    ${CMAKE_CURRENT_LIST_DIR}/ChokeModel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ChokeControls.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ChokeSpecs.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ChokeCoreList.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ChokeCatalogue.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ChokeResults.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CompletedDesignCheck.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CheckTexts.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DesignFile.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TextDecoding.cpp
)
target_include_directories(coilsmith_model PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(coilsmith_model PUBLIC coilsmith_magnetics coilsmith_catalogue)
set_target_properties(coilsmith_model PROPERTIES AUTOMOC OFF)
