quarn_add_test(test_objects SOURCES
    test_objects_leaves.cpp
    test_objects_datums.cpp
    test_objects_projection.cpp)
