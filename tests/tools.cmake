# The command-line tool on the bundled examples: every text forms a system, and the
# projection-file conveniences show in the output.
if(TARGET quarn-wkt)
    file(GLOB QUARN_EXAMPLE_PRJ ${PROJECT_SOURCE_DIR}/examples/prj/*.prj)
    add_test(NAME tool_reads_examples COMMAND quarn-wkt --prj --summary ${QUARN_EXAMPLE_PRJ})
    set_tests_properties(tool_reads_examples PROPERTIES PASS_REGULAR_EXPRESSION
        "Lambert_Conformal_Conic_2SP\"\\],PARAMETER\\[\"False_Easting\",2000000\\]")
    add_test(NAME tool_reports_bad_text COMMAND quarn-wkt ${CMAKE_CURRENT_SOURCE_DIR}/CMakeLists.txt)
    set_tests_properties(tool_reports_bad_text PROPERTIES WILL_FAIL TRUE)
endif()
