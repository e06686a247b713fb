"""Reference counting: objects die with their last reference."""
import gc

import velloran as v


def resident_bytes():
    with open("/proc/self/statm") as f:
        return int(f.read().split()[1]) * 4096


def churn(count):
    """Creates `count` objects, linked the ways the classes link them, and drops them."""
    for i in range(count // 5):
        run = v.cText()
        run.Text = "some text to render"
        p = v.cParagraph()
        p.Border = v.cBorder()
        p.InsertText(run)
        cell = v.cCell()
        cell.InsertParagraph(p)
        doc = v.cDocument()
        doc.Header = p


def test_a_million_objects_keep_memory_flat():
    churn(100_000)  # warm up the allocators
    gc.collect()
    before = resident_bytes()
    churn(1_000_000)
    gc.collect()
    grown = resident_bytes() - before
    # A leak of even one small object per iteration would be 20 MB or more.
    assert grown < 4 * 1024 * 1024, f"resident memory grew by {grown} bytes"
