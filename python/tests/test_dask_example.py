"""The dask.distributed example checks a generated folder tree on two worker processes."""
import os
import subprocess
import sys

import check_prj_tree  # examples/ is on the path of the tests
import distributed
import quarn
from conftest import SOURCE, corpus


def test_two_worker_processes_check_a_tree(tmp_path):
    texts = dict(corpus("gdal")[:120] + [(f"esri {c}", t) for c, t in corpus("esri")[:120]])
    expected = {}
    for n, (code, text) in enumerate(sorted(texts.items())):
        path = tmp_path / f"part{n % 3}" / f"deep{n % 2}" / f"{n:03}.prj"
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_text(text)
        crs = quarn.CRS.from_wkt(text)
        best = (crs.list_authority() or [None])[0]
        expected[str(path)] = (True, None, best and best.code, best and best.confidence, crs.name)
    broken, latin1 = tmp_path / "part0" / "broken.PRJ", tmp_path / "latin1.prj"
    broken.write_text((SOURCE / "examples" / "broken" / "missing_comma.wkt").read_text())
    latin1.write_bytes(b'VERT_CS["Z\xfcrich",VERT_DATUM["d",2005],UNIT["metre",1]]')
    (tmp_path / "notes.txt").write_text("not a projection file")
    expected[str(broken)] = (False, f"{broken}:5:5: error: unexpected UNIT; expected ','") + (None,) * 3
    expected[str(latin1)] = (False, f"{latin1}:1:11: error: unexpected invalid UTF-8; expected "
                             "well-formed UTF-8 text") + (None,) * 3

    with distributed.LocalCluster(n_workers=2, threads_per_worker=1, processes=True,
                                  dashboard_address=None) as cluster, distributed.Client(cluster) as client:
        rows = check_prj_tree.check_tree(client, tmp_path, share=50)
        assert len(set(client.run(os.getpid).values())) == 2
    assert [row.file for row in rows] == sorted(expected)
    assert {row.file: tuple(row[1:]) for row in rows} == expected
    # The ESRI text of EPSG:2003 has no code of its own: the workers identified it.
    assert [(row.code, row.confidence) for row in rows
            if row.name == "Grenada_1953_British_West_Indies_Grid"] == [("2003", 100)]
    # Run as a script, its functions travel to the workers by value.
    run = subprocess.run([sys.executable, check_prj_tree.__file__, str(tmp_path / "part0")],
                         capture_output=True, text=True, timeout=300)
    lines = run.stdout.splitlines()
    assert run.returncode == 1 and len(lines) == sum(f.startswith(str(tmp_path / "part0")) for f in expected)
    assert f"{broken}\terror\t-\t{broken}:5:5: error: unexpected UNIT; expected ','" in lines
