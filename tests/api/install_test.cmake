# Installs the build into a fresh prefix and uses it as another project would: the C++ example
# through find_package(Qor) and through pkg-config, and the Python module where it was built.
function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${ARGN}\nfailed (${status}):\n${out}${err}")
  endif()
endfunction()

# Runs a program on two lines and checks what it prints.
function(expect_repairs)
  execute_process(COMMAND ${ARGN} INPUT_FILE ${QOR_WORK}/input.txt
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0 OR NOT out STREQUAL "乱码\nclean\n")
    message(FATAL_ERROR "${ARGN} gave ${status}, \"${out}\" and \"${err}\"")
  endif()
endfunction()

set(prefix ${QOR_WORK}/prefix)
file(REMOVE_RECURSE ${QOR_WORK})
file(WRITE ${QOR_WORK}/input.txt "涔辩爜\nclean\n")
run(${CMAKE_COMMAND} --install ${QOR_BUILD} --prefix ${prefix})

run(${CMAKE_COMMAND} -S ${QOR_EXAMPLE} -B ${QOR_WORK}/cmake -G ${QOR_GENERATOR}
  -DCMAKE_CXX_COMPILER=${QOR_CXX} -DCMAKE_PREFIX_PATH=${prefix})
run(${CMAKE_COMMAND} --build ${QOR_WORK}/cmake)
expect_repairs(${QOR_WORK}/cmake/qor_fix_lines)

file(GLOB_RECURSE pc_files ${prefix}/*/qor.pc)
list(LENGTH pc_files count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "expected one qor.pc under ${prefix}, found: ${pc_files}")
endif()
get_filename_component(pc_dir ${pc_files} DIRECTORY)
set(pkg_config ${CMAKE_COMMAND} -E env PKG_CONFIG_PATH=${pc_dir} pkg-config)
execute_process(COMMAND ${pkg_config} --cflags --libs qor
  OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${pkg_config} --variable=libdir qor
  OUTPUT_VARIABLE libdir OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
separate_arguments(flags UNIX_COMMAND "${flags}")
# The header is C++17: a program need not move to C++20 to use it.
run(${QOR_CXX} -std=c++17 -Wall -Wextra -Werror ${QOR_EXAMPLE}/qor_fix_lines.cpp ${flags}
  -Wl,-rpath,${libdir} -o ${QOR_WORK}/qor_fix_lines_pc)
expect_repairs(${QOR_WORK}/qor_fix_lines_pc)

if(QOR_PYTHON)
  file(GLOB_RECURSE modules ${prefix}/*/qor.*.so)
  list(LENGTH modules count)
  if(NOT count EQUAL 1)
    message(FATAL_ERROR "expected one Python module qor under ${prefix}, found: ${modules}")
  endif()
  get_filename_component(module_dir ${modules} DIRECTORY)
  if(NOT EXISTS ${module_dir}/qor.pyi)
    message(FATAL_ERROR "no qor.pyi beside ${modules}")
  endif()
  run(${CMAKE_COMMAND} -E env PYTHONPATH=${module_dir} ${QOR_PYTHON} -c
    "import qor, sys; assert qor.__file__.startswith(sys.argv[1]), qor.__file__; assert qor.fix('涔辩爜') == '乱码'"
    ${prefix})
endif()
