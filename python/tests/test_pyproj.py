"""pyproj reads every sample system from a quarn CRS as the same system as the original."""
import pyproj
from conftest import corpus


def test_pyproj_reads_each_sample_system_as_the_original(factory):
    pyproj.set_use_global_context(True)
    try:
        read = [(code, factory.from_wkt(text), pyproj.CRS.from_wkt(text)) for code, text in corpus("gdal")]
        assert [code for code, crs, original in read
                if not pyproj.CRS.from_user_input(crs) == original == pyproj.CRS.from_wkt(crs.to_wkt())] == []
    finally:
        pyproj.set_use_global_context(False)
