# The command-line tool and the example host program, run as a user runs them.
if(TARGET quarn-wkt)
    quarn_add_test(test_tool SOURCES test_tool.cpp)
    add_dependencies(test_tool quarn-wkt)
    target_compile_definitions(test_tool PRIVATE
        QUARN_WKT="$<TARGET_FILE:quarn-wkt>"
        QUARN_TOOL_SCRATCH="${CMAKE_CURRENT_BINARY_DIR}/tool_scratch")
    # The EPSG:CODE arguments are read only when the tool has the EPSG component.
    if(TARGET quarn::epsg)
        target_compile_definitions(test_tool PRIVATE QUARN_TOOL_EPSG)
    endif()
endif()
if(TARGET quarn_host_example)
    add_test(NAME example_host COMMAND quarn_host_example)
    set_tests_properties(example_host PROPERTIES PASS_REGULAR_EXPRESSION
        "the same datum as the text's: yes.*Lambert_Conformal_Conic_2SP")
endif()
