"""Checks every .prj file of a folder tree on a dask.distributed cluster: each worker reads
and identifies its share of the files with quarn, and the results come back as one table, a
row a file (file, ok or the diagnostic, the EPSG code and confidence of the best candidate,
the name of the system).

    /usr/bin/python3 examples/check_prj_tree.py FOLDER [WORKERS]

Without a scheduler address in DASK_SCHEDULER_ADDRESS it starts a LocalCluster of WORKERS
worker processes (2 by default). A diagnostic is quarn-wkt's, with the file's path:
"a/b.prj:1:7: error: unexpected ...".
"""
import os
import pathlib
import sys
from typing import List, NamedTuple, Optional

from dask.distributed import Client, LocalCluster


class Row(NamedTuple):
    file: str
    ok: bool
    diagnostic: Optional[str]  # None when the file reads
    code: Optional[str]  # the best EPSG candidate ("2056", or "4326+5703" for a compound)
    confidence: Optional[int]  # its confidence, 70 to 100
    name: Optional[str]  # the system's name when it reads


def check_files(paths: List[str]) -> List[tuple]:
    """Reads and identifies each file in the worker's process-wide factory: the fields of a
    Row for each (plain tuples, which every worker unpickles, even when this file runs as a
    script)."""
    import quarn

    rows = []
    for path in paths:
        try:
            crs = quarn.CRS.from_wkt(pathlib.Path(path).read_bytes())
            best = next(iter(crs.list_authority()), None)
            rows.append((path, True, None, best and best.code, best and best.confidence, crs.name))
        except quarn.WktError as error:
            rows.append((path, False, f"{path}:{error}", None, None, None))
        except OSError as error:
            rows.append((path, False, f"{path}: error: {error.strerror}", None, None, None))
    return rows


def check_tree(client: Client, folder, share: int = 100) -> List[Row]:
    """The rows of every .prj file under `folder`, sorted by path, read in shares of
    `share` files spread over the cluster's workers."""
    paths = sorted(str(p) for p in pathlib.Path(folder).rglob("*") if p.suffix.lower() == ".prj")
    shares = [paths[i:i + share] for i in range(0, len(paths), share)]
    futures = client.map(check_files, shares, pure=False)
    return [Row(*row) for rows in client.gather(futures) for row in rows]


def main(argv):
    if len(argv) < 2:
        sys.exit(__doc__)
    address = os.environ.get("DASK_SCHEDULER_ADDRESS")
    workers = int(argv[2]) if len(argv) > 2 else 2
    cluster = None if address else LocalCluster(n_workers=workers, threads_per_worker=1,
                                                processes=True, dashboard_address=None)
    with Client(address or cluster) as client:
        rows = check_tree(client, argv[1])
    if cluster is not None:
        cluster.close()
    for row in rows:
        found = f"EPSG:{row.code} {row.confidence}" if row.code else "-"
        print(f"{row.file}\t{'ok' if row.ok else 'error'}\t{found}\t{row.name or row.diagnostic}")
    failed = sum(not row.ok for row in rows)
    print(f"{len(rows)} files, {failed} do not read", file=sys.stderr)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
