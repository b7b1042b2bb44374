# What the Python module needs: an interpreter with its headers, and pybind11. The module is
# built for Debian's own interpreter, /usr/bin/python3, where Debian's python3-* packages
# are installed, unless -DPython3_EXECUTABLE=... names another: an interpreter found earlier
# on PATH (pyenv, a virtual environment) may not see those packages.
if(NOT Python3_EXECUTABLE AND EXISTS /usr/bin/python3)
    set(Python3_EXECUTABLE /usr/bin/python3 CACHE FILEPATH
        "The Python interpreter the module quarn is built for")
endif()
set(QuarnPython_FOUND FALSE)
find_package(Python3 COMPONENTS Interpreter Development.Module QUIET)
if(Python3_FOUND)
    find_package(pybind11 CONFIG QUIET)
    if(pybind11_FOUND)
        set(QuarnPython_FOUND TRUE)
    endif()
endif()
if(NOT QuarnPython_FOUND AND NOT QuarnPython_FIND_QUIETLY)
    message(STATUS "Python module: needs the interpreter ${Python3_EXECUTABLE} with its headers "
                   "(Python3_FOUND: ${Python3_FOUND}) and pybind11 (pybind11_FOUND: "
                   "${pybind11_FOUND})")
endif()
