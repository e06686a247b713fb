"""Python threads: per-thread values, the GIL released while saving, and objects shared between threads."""
import os
import signal
import struct
import subprocess
import sys
import textwrap
import threading
import time

import pytest

import velloran as v
from conftest import masked, paragraph_of


def in_thread(work):
    result = {}

    def body():
        try:
            result["value"] = work()
        except BaseException as e:  # handed to the caller
            result["error"] = e

    t = threading.Thread(target=body)
    t.start()
    t.join()
    if "error" in result:
        raise result["error"]
    return result["value"]


def test_each_thread_has_its_own_colour_indexes():
    v.cDocument()

    def fresh():
        before = (v.BlackColorIndex(), v.WhiteColorIndex(), v.cText().ForeColorIndex, v.cCell().BackColorIndex,
                  v.cBorder().BorderColorIndex)
        v.cDocument()
        return before, (v.BlackColorIndex(), v.WhiteColorIndex(), v.cText().BackColorIndex)

    assert in_thread(fresh) == ((0, 0, 0, 0, 0), (1, 2, 2))
    assert (v.BlackColorIndex(), v.WhiteColorIndex()) == (1, 2)


def test_two_threads_build_the_same_document_at_once(showcase):
    expected = masked(showcase.build().Rtf())
    results, errors = [], []

    def build():
        try:
            for _ in range(3):
                results.append(masked(showcase.build().Rtf()))
        except BaseException as e:
            errors.append(e)

    threads = [threading.Thread(target=build) for _ in range(2)]
    for t in threads:
        t.start()
    for t in threads:
        t.join()
    assert not errors and results == [expected] * 6


# Save writes into a named pipe, which blocks once the pipe is full until
# its reader reads: the main thread can read it only while Save runs without
# the GIL. A child process, so that a Save holding the GIL fails by timing
# out instead of hanging the suite. The reader opens the pipe first: Save
# refuses a pipe nobody reads.
SAVE_INTO_PIPE = textwrap.dedent(r"""
    import os, sys, threading, time
    import velloran as v
    pipe = sys.argv[1]
    os.mkfifo(pipe)
    reader = os.open(pipe, os.O_RDONLY | os.O_NONBLOCK)
    doc, header, page = v.cDocument(), v.cParagraph(), v.cPage()
    run = v.cText()
    run.Text = "header " * 100000  # more than the pipe holds
    header.InsertText(run)
    doc.Header = header
    expected = doc.Rtf()
    saving = threading.Thread(target=lambda: doc.Save(pipe))
    saving.start()
    time.sleep(0.2)  # let Save reach the pipe, holding its document
    # Changes to the document and its header wait for Save to finish.
    changes = [threading.Thread(target=lambda: doc.InsertPage(page)),
               threading.Thread(target=lambda: header.InsertText(run)),
               threading.Thread(target=lambda: setattr(header.Border, "TopVisible", True))]
    for t in changes:
        t.start()
    for t in changes:
        t.join(0.2)
    waited = all(t.is_alive() for t in changes)
    os.set_blocking(reader, True)
    with os.fdopen(reader, "rb") as f:
        saved = f.read()
    saving.join()
    for t in changes:
        t.join()
    print(waited, saved == expected.encode(), doc.LastPage, doc.Rtf() != expected)
""")


def test_save_runs_without_the_gil_and_changes_wait_for_it(tmp_path):
    done = subprocess.run([sys.executable, "-c", SAVE_INTO_PIPE, str(tmp_path / "pipe")], capture_output=True,
                          text=True, timeout=60, env={**os.environ, "PYTHONPATH": os.pathsep.join(sys.path)})
    assert done.returncode == 0, done.stderr
    assert done.stdout.split() == ["True", "True", "1", "True"]


def test_insert_picture_lets_other_threads_run(tmp_path):
    w, h = 2000, 1500  # about ten milliseconds of conversion
    stride = (w * 3 + 3) & ~3
    pixels = (bytes(range(256)) * (stride * h // 256 + 1))[:stride * h]
    bmp = tmp_path / "large.bmp"
    bmp.write_bytes(b"BM" + struct.pack("<IHHIIiiHHIIiiII", 54 + len(pixels), 0, 0, 54, 40, w, h, 1, 24,
                                        0, 0, 0, 0, 0, 0) + pixels)
    picture = v.cPicture()
    picture.File = str(bmp)
    stamps, done = [], threading.Event()

    def tick():
        while not done.is_set():
            stamps.append(time.monotonic())
            time.sleep(0.001)

    ticker = threading.Thread(target=tick)
    ticker.start()
    while not stamps:
        time.sleep(0.001)
    # Holding the GIL, a call would let the other thread in at its ends only;
    # a busy machine may not wake the ticker within one short call, so the
    # call is made until it has (or fifty times).
    ran_meanwhile = False
    for _ in range(50):
        start = time.monotonic()
        inserted = v.cParagraph().InsertPicture(picture)
        end = time.monotonic()
        assert inserted is True
        margin = (end - start) / 10
        if any(start + margin < t < end - margin for t in stamps):
            ran_meanwhile = True
            break
    done.set()
    ticker.join()
    assert ran_meanwhile


def test_threads_rendering_and_changing_one_document():
    doc = v.cDocument()
    header = paragraph_of("header")
    doc.Header = header
    run = v.cText()
    run.Text = "more"
    stop = threading.Event()
    renders, errors = [], []

    def render():
        try:
            while not stop.is_set():
                rtf = doc.Rtf()
                # Whole documents only: balanced groups, closed at the end.
                if rtf.count("{") - rtf.count("\\{") != rtf.count("}") - rtf.count("\\}") or not rtf.endswith("}}"):
                    errors.append(rtf)
                renders.append(len(rtf))
        except BaseException as e:
            errors.append(e)

    readers = [threading.Thread(target=render) for _ in range(2)]
    for t in readers:
        t.start()
    try:
        for i in range(300):
            page = v.cPage()
            page.InsertParagraph(paragraph_of("x" * 1000))
            doc.InsertPage(page)
            header.InsertText(run)
            header.Border.TopWidth = i
            doc.Title = str(i)
    finally:
        stop.set()
        for t in readers:
            t.join()
    assert not errors and renders and doc.LastPage == 300
    # Each rendering sees the document between two changes: never shrinking.
    assert renders == sorted(renders)


def test_header_pages_filled_while_other_threads_render():
    doc = v.cDocument()
    doc.PageHeader, doc.EvenPageFooter = v.cPage(), v.cPage()
    doc.InsertPage(v.cPage())
    cell = v.cCell()
    cell.InsertParagraph(paragraph_of("cell"))
    stop = threading.Event()
    errors = []

    def render():
        try:
            while not stop.is_set():
                rtf = doc.Rtf()
                if rtf.count("{") - rtf.count("\\{") != rtf.count("}") - rtf.count("\\}"):
                    errors.append(rtf)
        except BaseException as e:
            errors.append(e)

    readers = [threading.Thread(target=render) for _ in range(2)]
    for t in readers:
        t.start()
    try:
        for i in range(300):
            for page in (doc.PageHeader, doc.EvenPageFooter):
                page.InsertParagraph(paragraph_of("y" * 2000))
                page.InsertTable([[cell, cell]])
    finally:
        stop.set()
        for t in readers:
            t.join()
    assert not errors
    # The page header stands on the odd and the even pages, the even footer on the even ones.
    assert doc.Rtf().count("\\cell\\row") == 900


def test_a_document_renders_the_same_in_any_thread():
    def build():
        doc = v.cDocument()
        doc.InsertPage(v.cPage())
        return doc, doc.Rtf()

    doc, in_builder = in_thread(build)
    assert masked(in_thread(doc.Rtf)) == masked(in_builder)  # a thread that never made a document
    assert masked(doc.Rtf()) == masked(in_builder)


# One thread holds the header (saving another document that shows it, into
# a pipe nobody drains yet); a second renders the document and waits for
# it; meanwhile the header is swapped for another paragraph, into which a
# third thread keeps inserting runs. The swap waits until the rendering is
# done: it never reads a paragraph being written.
def test_a_header_swapped_while_a_rendering_waits_is_never_read_while_changing(tmp_path):
    for round, field in enumerate(["Header", "Footer"] * 10):
        doc, other, old, new = v.cDocument(), v.cDocument(), paragraph_of("old " * 50000), paragraph_of("new")
        setattr(doc, field, old)
        setattr(other, field, old)
        pipe = str(tmp_path / f"{field}-{round}")
        os.mkfifo(pipe)
        reader = os.open(pipe, os.O_RDONLY | os.O_NONBLOCK)
        holding = threading.Thread(target=lambda: other.Save(pipe))
        holding.start()
        time.sleep(0.2)  # the pipe is full: Save holds the old paragraph
        rendered = []
        rendering = threading.Thread(target=lambda: rendered.append(doc.Rtf()))
        rendering.start()
        time.sleep(0.2)  # the rendering waits for the old paragraph
        stop = threading.Event()
        run = v.cText()
        run.Text = "r" * 5000

        def swap_and_write():
            setattr(doc, field, new)
            while not stop.is_set():
                new.InsertText(run)

        writing = threading.Thread(target=swap_and_write)
        writing.start()
        time.sleep(0.1)
        os.set_blocking(reader, True)
        with os.fdopen(reader, "rb") as f:
            f.read()
        holding.join()
        rendering.join()
        stop.set()
        writing.join()
        rtf = rendered[0]
        assert rtf.count("{") - rtf.count("\\{") == rtf.count("}") - rtf.count("\\}") and rtf.endswith("}}")
        text = rtf[rtf.index("{\\" + field.lower()):rtf.index("\\pmmetafile28")]
        assert "\\fs20 old " in text and "\\fs20 new}" not in text and "\\fs20 r" not in text


# A change that waits for another thread's Save is interrupted by Ctrl-C
# at once, and changes nothing.
def test_ctrl_c_interrupts_a_wait_for_a_save(tmp_path):
    doc = v.cDocument()
    doc.Title = "before"
    doc.Header = paragraph_of("x " * 200000)
    pipe = str(tmp_path / "pipe")
    os.mkfifo(pipe)
    reader = os.open(pipe, os.O_RDONLY | os.O_NONBLOCK)
    holding = threading.Thread(target=lambda: doc.Save(pipe))
    holding.start()
    time.sleep(0.2)  # the pipe is full: Save holds the document
    interrupted = threading.Event()

    def drain():  # at the latest after 3 s, so that a wait that ignores Ctrl-C ends too
        interrupted.wait(3)
        os.set_blocking(reader, True)
        with os.fdopen(reader, "rb") as f:
            f.read()

    draining = threading.Thread(target=drain)
    draining.start()
    timer = threading.Timer(0.2, lambda: signal.pthread_kill(threading.main_thread().ident, signal.SIGINT))
    timer.start()
    started = time.monotonic()
    try:
        with pytest.raises(KeyboardInterrupt):
            doc.Title = "after"
        waited = time.monotonic() - started
    finally:
        interrupted.set()
        draining.join()
        holding.join()
        timer.join()
    assert waited < 1.5 and doc.Title == "before"


# A child forked while a Save runs in another thread: the thread does not
# exist in the child, and neither do its marks on the document.
FORK_WHILE_SAVING = textwrap.dedent(r"""
    import os, sys, threading, time
    import velloran as v
    doc, page = v.cDocument(), v.cPage()
    p = v.cParagraph()
    run = v.cText()
    run.Text = "x" * 1000000
    for _ in range(50):
        p.InsertText(run)
    page.InsertParagraph(p)
    doc.InsertPage(page)
    saving = threading.Thread(target=lambda: [doc.Save(sys.argv[1]) for _ in range(20)])
    saving.start()
    time.sleep(0.1)
    pid = os.fork()
    if pid == 0:
        import signal
        signal.alarm(10)  # a child that waits for the saving thread ends here
        doc.Title = "child"
        os._exit(0 if "child" in doc.Rtf()[:2000] else 1)
    _, status = os.waitpid(pid, 0)
    saving.join()
    print(os.waitstatus_to_exitcode(status))
""")


def test_a_child_forked_while_saving_changes_the_document_at_once(tmp_path):
    done = subprocess.run([sys.executable, "-c", FORK_WHILE_SAVING, str(tmp_path / "doc.rtf")], capture_output=True,
                          text=True, timeout=120, env={**os.environ, "PYTHONPATH": os.pathsep.join(sys.path)})
    assert done.returncode == 0, done.stderr
    assert done.stdout.split() == ["0"]
