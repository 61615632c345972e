# Writing a file so that a failure keeps the old one: plain C++, for the command-line tool
# as well as the Qt parts.
add_library(coilsmith_platform_files STATIC
    ${CMAKE_CURRENT_LIST_DIR}/FileReplacement.cpp)
target_include_directories(coilsmith_platform_files PUBLIC ${PROJECT_SOURCE_DIR}/src)
set_target_properties(coilsmith_platform_files PROPERTIES AUTOMOC OFF)

# Where the executables find their data files, in the build tree and installed: the desktop
# program and the command-line tool alike.
add_library(coilsmith_program_dir STATIC ${CMAKE_CURRENT_LIST_DIR}/ProgramDir.cpp)
target_include_directories(coilsmith_program_dir PUBLIC ${PROJECT_SOURCE_DIR}/src)
set_target_properties(coilsmith_program_dir PROPERTIES AUTOMOC OFF)
