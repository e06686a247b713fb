import importlib.util
import os
import re
from pathlib import Path

import pytest

import velloran

ROOT = Path(__file__).resolve().parents[2]

# The creation time in the information group: the only part of a document
# that depends on the clock.
TIME_STAMP = re.compile(rb"\\yr-?\d+\\mo-?\d+\\dy-?\d+\\hr-?\d+\\min-?\d+")


def masked(rtf):
    """The document with its creation time blanked out."""
    if isinstance(rtf, str):
        rtf = rtf.encode("ascii")
    return TIME_STAMP.sub(rb"\\yr0\\mo0\\dy0\\hr0\\min0", rtf)


@pytest.fixture
def fixed_clock():
    velloran._set_fixed_clock((2026, 12, 7, 4, 5))
    yield
    velloran._set_fixed_clock(None)


@pytest.fixture(scope="session")
def showcase():
    """examples/showcase.py as a module."""
    spec = importlib.util.spec_from_file_location("showcase", ROOT / "examples" / "showcase.py")
    module = importlib.util.module_from_spec(spec)
    spec.loader.exec_module(module)
    return module


def document_of(*paragraphs):
    """A document of one page holding the paragraphs."""
    doc = velloran.cDocument()
    page = velloran.cPage()
    for p in paragraphs:
        page.InsertParagraph(p)
    doc.InsertPage(page)
    return doc


def paragraph_of(text):
    run = velloran.cText()
    run.Text = text
    p = velloran.cParagraph()
    p.InsertText(run)
    return p
