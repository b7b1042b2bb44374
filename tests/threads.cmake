# Factories in parallel threads; under ThreadSanitizer in CI (QUARN_TSAN).
find_package(Threads REQUIRED)
quarn_add_test(test_threads SOURCES test_threads.cpp)
target_include_directories(test_threads PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(test_threads PRIVATE Threads::Threads)
