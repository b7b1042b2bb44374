# The parse tables of the WKT reader are generated from src/wkt/WktGrammar.y by btyacc through
# the skeleton src/wkt/WktTables.skel, and the result, src/wkt/WktTables.generated.cpp, is
# checked in so that building the library needs no generator.
#
# Included from the top CMakeLists.txt, this file adds the target quarn_grammar, which
# regenerates src/wkt/WktTables.generated.cpp in the source tree. Run as a script
#   cmake -DQUARN_GRAMMAR_OUTPUT=<file> -P cmake/Generated.cmake
# it writes the generated tables to <file> (scripts/check-grammar.sh compares that with the
# checked-in copy).

get_filename_component(QUARN_GRAMMAR_ROOT "${CMAKE_CURRENT_LIST_DIR}/../src" ABSOLUTE)

if(CMAKE_SCRIPT_MODE_FILE)
    if(NOT QUARN_GRAMMAR_OUTPUT)
        message(FATAL_ERROR "Generated.cmake: set QUARN_GRAMMAR_OUTPUT to the file to write")
    endif()
    if(NOT QUARN_BTYACC)
        find_program(QUARN_BTYACC btyacc)
    endif()
    if(NOT QUARN_BTYACC)
        message(FATAL_ERROR "Generated.cmake: btyacc not found (Debian package btyacc)")
    endif()
    # btyacc names its output after a prefix; generate in a scratch directory, then copy.
    string(RANDOM LENGTH 8 scratchName)
    set(scratch "${CMAKE_CURRENT_BINARY_DIR}/quarn-grammar-${scratchName}")
    file(MAKE_DIRECTORY "${scratch}")
    # Relative paths from the source root keep the output independent of where the tree is.
    execute_process(
        COMMAND "${QUARN_BTYACC}" -l -S wkt/WktTables.skel -b "${scratch}/wkt" wkt/WktGrammar.y
        WORKING_DIRECTORY "${QUARN_GRAMMAR_ROOT}"
        RESULT_VARIABLE result
        OUTPUT_VARIABLE output
        ERROR_VARIABLE output)
    if(NOT result EQUAL 0 OR NOT EXISTS "${scratch}/wkt.tab.c")
        file(REMOVE_RECURSE "${scratch}")
        message(FATAL_ERROR "Generated.cmake: btyacc failed:\n${output}")
    endif()
    configure_file("${scratch}/wkt.tab.c" "${QUARN_GRAMMAR_OUTPUT}" COPYONLY)
    file(REMOVE_RECURSE "${scratch}")
    return()
endif()

find_program(QUARN_BTYACC btyacc)
if(QUARN_BTYACC)
    add_custom_target(quarn_grammar
        COMMAND "${CMAKE_COMMAND}" "-DQUARN_BTYACC=${QUARN_BTYACC}"
                "-DQUARN_GRAMMAR_OUTPUT=${QUARN_GRAMMAR_ROOT}/wkt/WktTables.generated.cpp"
                -P "${CMAKE_CURRENT_LIST_FILE}"
        WORKING_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}"
        COMMENT "Generating src/wkt/WktTables.generated.cpp from src/wkt/WktGrammar.y"
        SOURCES "${QUARN_GRAMMAR_ROOT}/wkt/WktGrammar.y" "${QUARN_GRAMMAR_ROOT}/wkt/WktTables.skel"
        VERBATIM)
endif()

# The ESRI name table, generated from PROJ's database by scripts/gen-esri-names.py and checked
# in (scripts/check-esri-names.sh compares the two).
find_program(QUARN_PYTHON3 python3)
if(QUARN_PYTHON3)
    add_custom_target(quarn_esri_names
        COMMAND "${QUARN_PYTHON3}" "${QUARN_GRAMMAR_ROOT}/../scripts/gen-esri-names.py"
                /usr/share/proj/proj.db > "${QUARN_GRAMMAR_ROOT}/interchange/EsriNames.generated.inc"
        COMMENT "Generating src/interchange/EsriNames.generated.inc from PROJ's database"
        SOURCES "${QUARN_GRAMMAR_ROOT}/../scripts/gen-esri-names.py")
endif()
