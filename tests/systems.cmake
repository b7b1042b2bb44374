# The coordinate-system classes, tested against the real reference objects.
quarn_add_test(test_systems
    SOURCES test_systems_geo.cpp test_systems_projected.cpp test_systems_vertical_local.cpp
            test_systems_compound_fitted.cpp)
