# The WKT reader: the lexer, and the parse engine under the library's rule actions (the
# generated tables are guarded by the grammar check).
quarn_add_test(test_wkt INTERNAL SOURCES test_wkt_lexer.cpp test_wkt_engine.cpp)
