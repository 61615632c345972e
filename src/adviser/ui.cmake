# The core adviser window (Qt Widgets + Qt Charts) over the engine, and the plain-C++
# filter the window narrows a ranking with.
add_library(coilsmith_adviserui STATIC
    ${CMAKE_CURRENT_LIST_DIR}/CandidateTable.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CoreAdviserWindow.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LossWeightChart.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RankingFilter.cpp
)
target_include_directories(coilsmith_adviserui PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(coilsmith_adviserui PUBLIC coilsmith_adviser Qt6::Widgets Qt6::Charts
    Qt6::Concurrent)
