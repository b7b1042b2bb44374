# The WKT reader: generated tables, lexer, and the parse engine.
quarn_add_test(test_wkt_tables INTERNAL SOURCES test_wkt_tables.cpp)
quarn_add_test(test_wkt_lexer SOURCES test_wkt_lexer.cpp)

# The engine compiled again with a recording RunAction (in test_wkt_engine.cpp) in place of
# wkt/WktActions.cpp, so the tests see which rules were reduced and with which values. The
# rest of what it needs comes from the internal archive, whose parser objects the linker
# then leaves out.
quarn_add_test(test_wkt_engine INTERNAL SOURCES
    test_wkt_engine.cpp
    ${PROJECT_SOURCE_DIR}/wkt/ToolParser.cpp
    ${PROJECT_SOURCE_DIR}/wkt/WktParser.cpp
    ${PROJECT_SOURCE_DIR}/wkt/WktEngine.cpp
    ${PROJECT_SOURCE_DIR}/wkt/WktTables.cpp)
