"""Checks every .prj file of a folder tree on a dask.distributed cluster: each worker reads
its share of the files with quarn, and the results come back as one table, a row a file
(file, ok or the diagnostic, the name of the system).

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
    name: Optional[str]  # the system's name when it reads


def check_files(paths: List[str]) -> List[Row]:
    """Reads each file into the worker's process-wide factory."""
    import quarn

    rows = []
    for path in paths:
        try:
            crs = quarn.CRS.from_wkt(pathlib.Path(path).read_bytes())
            rows.append(Row(path, True, None, crs.name))
        except quarn.WktError as error:
            rows.append(Row(path, False, f"{path}:{error}", None))
        except OSError as error:
            rows.append(Row(path, False, f"{path}: error: {error.strerror}", None))
    return rows


def check_tree(client: Client, folder, share: int = 100) -> List[Row]:
    """The rows of every .prj file under `folder`, sorted by path, read in shares of
    `share` files spread over the cluster's workers."""
    paths = sorted(str(p) for p in pathlib.Path(folder).rglob("*") if p.suffix.lower() == ".prj")
    shares = [paths[i:i + share] for i in range(0, len(paths), share)]
    futures = client.map(check_files, shares, pure=False)
    return [row for rows in client.gather(futures) for row in rows]


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
        print(f"{row.file}\t{'ok' if row.ok else 'error'}\t{row.name or row.diagnostic}")
    failed = sum(not row.ok for row in rows)
    print(f"{len(rows)} files, {failed} do not read", file=sys.stderr)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
