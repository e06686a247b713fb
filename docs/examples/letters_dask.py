"""Many documents past one process: the same function run by the workers of
a Dask distributed cluster (here a local one of two worker processes; give
Client the address of a real cluster's scheduler instead). Each worker
builds its own objects and writes its own files, into a folder that every
worker reaches."""
import os
from typing import cast

from dask.distributed import Client, LocalCluster


def letter(number, folder):
    import velloran  # in the worker's process

    doc = velloran.cDocument()
    doc.Title = "Letter %d" % number
    run = velloran.cText()
    run.Text = "Dear reader %d, thank you for your letter." % number
    para = velloran.cParagraph()
    para.InsertText(run)
    page = velloran.cPage()
    page.InsertParagraph(para)
    doc.InsertPage(page)
    return doc.Save(os.path.join(folder, "letter-%04d.rtf" % number))


if __name__ == "__main__":
    folder = os.getcwd()
    # No dashboard: dask takes None here, though its type hints say str.
    cluster = LocalCluster(n_workers=2, threads_per_worker=1, dashboard_address=None)  # type: ignore[arg-type]
    with cluster, Client(cluster) as client:
        workers = len(client.scheduler_info()["workers"])
        saved = cast("list[bool]", client.gather(client.map(letter, range(1, 1001), folder=folder)))
    if not all(saved):
        raise SystemExit("a letter was not saved")
    print("wrote %d letters with %d workers" % (len(saved), workers))
