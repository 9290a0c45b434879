# Run by cmake --install: copies QOR_PYTHON_FILES into the package folder under the install
# prefix that QOR_PYTHON_EXECUTABLE searches (/usr/local/lib/python3.X/dist-packages on Debian,
# ~/.local/lib/python3.X/site-packages), else into lib/python3.X/site-packages there.
execute_process(
  COMMAND ${QOR_PYTHON_EXECUTABLE} -c [=[
import os, site, sys
prefix = os.path.normpath(sys.argv[1]) + os.sep
for path in sys.path + [site.getusersitepackages()]:
    rest = path[len(prefix):] if path.startswith(prefix) else ''
    if rest.startswith('lib') and path.endswith('-packages'):
        print(path + '\n1')
        break
else:
    print(prefix + 'lib/python%d.%d/site-packages\n0' % sys.version_info[:2])
]=] ${CMAKE_INSTALL_PREFIX}
  OUTPUT_VARIABLE answer RESULT_VARIABLE status OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${QOR_PYTHON_EXECUTABLE} could not name its package folder")
endif()
string(REPLACE "\n" ";" answer "${answer}")
list(GET answer 0 folder)
list(GET answer 1 searched)
file(INSTALL ${QOR_PYTHON_FILES} DESTINATION ${folder})
if(NOT searched)
  message(STATUS "${QOR_PYTHON_EXECUTABLE} does not search ${folder}: add it to PYTHONPATH")
endif()
