# Reading WKT through the factory: rule actions, defaults, diagnostics, read-back of written
# text, and the texts of another library in tests/support's corpus reader.
quarn_add_test(test_read_wkt SOURCES test_read_wkt.cpp)
quarn_add_test(test_corpus SOURCES test_corpus.cpp)
target_include_directories(test_corpus PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
