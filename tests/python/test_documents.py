"""Whole documents: the showcase against the C++ one, tables, pictures, Unicode and files."""
import errno
import os
import re
import subprocess
import sys
import textwrap
from pathlib import Path

import pytest

import velloran as v
from conftest import ROOT, document_of, masked, paragraph_of


def cpp_showcase():
    """The C++ showcase program: VELLORAN_SHOWCASE (which must exist), else the default build's."""
    given = os.environ.get("VELLORAN_SHOWCASE")
    if given:
        assert Path(given).exists(), f"VELLORAN_SHOWCASE={given} does not exist"
        return given
    binary = ROOT / "build" / "default" / "examples" / "showcase"
    if not binary.exists():
        pytest.skip(f"the C++ showcase is not built ({binary}); scripts/dev test builds it")
    return binary


def test_python_showcase_is_byte_identical_to_the_cpp_one(tmp_path, showcase):
    subprocess.run([cpp_showcase(), tmp_path / "cpp.rtf"], check=True, capture_output=True)
    assert showcase.main(["showcase", str(tmp_path / "py.rtf")]) == 0
    cpp, py = (tmp_path / "cpp.rtf").read_bytes(), (tmp_path / "py.rtf").read_bytes()
    assert b"\\pict\\wmetafile8" in py and b"\\trowd" in py and b"\\dpgroup" in py
    assert masked(py) == masked(cpp)


def test_showcase_with_the_clock_fixed_is_the_same_in_rtf_and_save(tmp_path, showcase, fixed_clock):
    doc = showcase.build()
    doc.Save(tmp_path / "fixed.rtf")
    assert (tmp_path / "fixed.rtf").read_bytes() == doc.Rtf().encode("ascii")
    assert b"\\yr2026\\mo12\\dy7\\hr4\\min5" in (tmp_path / "fixed.rtf").read_bytes()


def cell_with(text, width=1000):
    cell = v.cCell()
    cell.Width = width
    cell.InsertParagraph(paragraph_of(text))
    return cell


def table_document(insert):
    page = v.cPage()
    assert insert(page) is True
    doc = v.cDocument()
    doc.InsertPage(page)
    return masked(doc.Rtf())


class TestTables:
    def test_a_list_of_rows_is_the_cell_array_by_columns_and_rows(self):
        names = [["a", "b", "c"], ["d", "e", "f"]]
        rows = [[cell_with(n) for n in row] for row in names]

        def from_array(page):
            cells = v.CellArray([(1, 3), (1, 2)])
            for r, row in enumerate(rows, 1):
                for c, cell in enumerate(row, 1):
                    cells[c, r] = cell
            assert cells[3, 1] is rows[0][2]
            return page.InsertTable(cells)

        expected = table_document(from_array)
        assert table_document(lambda page: page.InsertTable(rows)) == expected
        assert table_document(lambda page: page.InsertTable(tuple(tuple(r) for r in rows))) == expected
        # Row 1 comes first, its columns left to right.
        body = expected.decode()
        assert [body.index(f" {n}}}") for n in "abcdef"] == sorted(body.index(f" {n}}}") for n in "abcdef")

    def test_rows_of_values_from_lists_and_frames(self):
        def page_document(page):
            doc = v.cDocument(CreationTime="2026-12-11 09:00")
            doc.InsertPage(page)
            return doc.Rtf()

        def rows_document(values):
            page = v.cPage(TableHeaderRows=1)
            page.AddTableColumn(0)
            page.AddTableColumn(0, v.tDecimal, 1)
            assert page.InsertRows(values) is True
            return page_document(page)

        expected = rows_document([["Arm", "Mean"], ["A", 1.25], ["B", None]])
        assert "\\pard\\intbl\\tqdec\\tx" in expected and " 1.3\\cell" in expected
        assert rows_document((("Arm", "Mean"), ("A", 1.25), ("B", None))) == expected
        pandas = pytest.importorskip("pandas")
        frame = pandas.DataFrame({"Arm": ["A", "B"], "Mean": [1.25, float("nan")]}, index=[7, 8])
        assert rows_document(frame) == expected
        page = v.cPage()
        with pytest.raises(TypeError, match="row 1, column 2: expected str, a number or None, got bool"):
            page.InsertRows([["a", True]])
        with pytest.raises(v.ArgumentError, match="row 2 has 1 values where row 1 has 2"):
            page.InsertRows([["a", 1], ["b"]])
        assert page.InsertRows([]) is False and page_document(page) == page_document(v.cPage())

    def test_empty_tables_insert_nothing(self):
        page = v.cPage()
        assert page.InsertTable([]) is False and page.InsertTable([[]]) is False
        assert page.InsertTable(v.CellArray([(1, 0), (1, 2)])) is False

    def test_malformed_tables_fail_with_their_numbers_and_leave_the_page(self):
        page = v.cPage()
        page.InsertParagraph(paragraph_of("before"))
        reference = v.cPage()
        reference.InsertParagraph(paragraph_of("before"))
        bare = cell_with("x")
        bare.Border = None
        wide = [cell_with("w", 2**31 - 1), cell_with("w", 1)]
        failures = {
            91: [lambda: page.InsertTable([[cell_with("a"), None]]),
                 lambda: page.InsertTable([[cell_with("a"), cell_with("b")], [cell_with("c")]]),  # ragged
                 lambda: page.InsertTable([[cell_with("a")], [bare]])],
            9: [lambda: page.InsertTable(v.CellArray([(1, 1), (1, 1), (1, 1)])),
                lambda: page.InsertTable(v.CellArray([(2, 3), (1, 1)]))],
            6: [lambda: page.InsertTable([wide]),
                lambda: page.InsertTable(v.CellArray([(1, 40000), (1, 1)]))],
        }
        for number, calls in failures.items():
            for call in calls:
                with pytest.raises(v.Error) as failure:
                    call()
                assert failure.value.number == number
        # A list of rows names the cell that is missing, and so does an array.
        with pytest.raises(v.Error, match="row 2 has no cell in column 2"):
            page.InsertTable([[cell_with("a"), cell_with("b")], [cell_with("c")]])
        array = v.CellArray([(1, 2), (1, 2)])
        array[1, 1], array[2, 1], array[1, 2] = cell_with("a"), cell_with("b"), cell_with("c")
        with pytest.raises(v.Error, match="row 2 has no cell in column 2") as failure:
            page.InsertTable(array)
        assert failure.value.number == 91
        array[1, 1].Border = None  # fails first, and is not named as a missing cell
        with pytest.raises(v.Error, match="^Object variable or With block variable not set$"):
            page.InsertTable(array)
        # A value out of range names its field and its cell.
        share = v.cCell(WidthPercent=120)
        with pytest.raises(v.Error, match=r"^Invalid procedure call or argument: cCell\.WidthPercent = 120 at row 1, "
                                          r"column 2$"):
            page.InsertTable([[cell_with("a"), share]])
        doc, ref = v.cDocument(), v.cDocument()
        doc.InsertPage(page)
        ref.InsertPage(reference)
        assert masked(doc.Rtf()) == masked(ref.Rtf())

    def test_wrong_types_are_type_errors(self):
        page = v.cPage()
        for bad in ("cells", 5, [v.cCell()], [["x"]], [[v.cText()]], None):
            with pytest.raises(TypeError):
                page.InsertTable(bad)
        with pytest.raises(TypeError, match="row 2, column 1"):
            page.InsertTable([[v.cCell()], [v.cParagraph()]])

    def test_cell_array_bounds_and_indexes(self):
        cells = v.CellArray([(0, 2), (-1, 1)])
        assert cells.dimensions() == 2
        assert (cells.lbound(1), cells.ubound(1), cells.lbound(2), cells.ubound(2)) == (0, 2, -1, 1)
        assert cells[0, -1] is None
        for call in (lambda: cells[3, 0], lambda: cells[1], lambda: cells.lbound(3), lambda: cells.ubound(0)):
            with pytest.raises(v.Error) as failure:
                call()
            assert failure.value.number == 9
        with pytest.raises(TypeError):
            cells[1, 1] = "cell"
        with pytest.raises(TypeError):
            v.CellArray([(1, 2, 3)])
        with pytest.raises(v.Error):
            v.CellArray([(1, 2**31)])
        with pytest.raises(v.Error) as failure:  # more elements than memory can address: an overflow
            v.CellArray([(1, 2**31 - 1), (1, 2**31 - 1)])
        assert failure.value.number == 6
        # An array made already stays as it is, even while a call uses it.
        growing = v.CellArray([(1, 3)])

        class Index:
            def __index__(self):
                growing.__init__([(1, 1)])
                return 3

        growing[Index()] = v.cCell()
        assert growing.ubound(1) == 3 and isinstance(growing[3], v.cCell)
        line = v.CellArray([(1, 3)])
        line[2] = v.cCell()
        assert isinstance(line[2], v.cCell) and line[1] is None
        # len() and iteration the Python way; an index out of range is an IndexError too.
        assert len(cells) == 9 and len(line) == 3 and len(v.CellArray([(1, 0), (1, 2)])) == 0
        cells[2, 1] = corner = v.cCell()
        assert list(cells)[-1] is corner and list(cells).count(None) == 8
        with pytest.raises(IndexError):
            cells[9, 9]
        # Any number of dimensions is indexed and iterated.
        five = v.CellArray([(1, 2)] * 5)
        five[2, 1, 2, 1, 2] = corner
        assert len(five) == 32 and len(list(five)) == 32 and five[2, 1, 2, 1, 2] is corner


def write_bmp(path, showcase, w=16, h=12):
    showcase.write_wheel(str(path), w, h)
    return path


class TestPictures:
    def test_a_picture_is_embedded_and_failures_leave_the_paragraph(self, tmp_path, showcase):
        picture = v.cPicture()
        picture.File = write_bmp(tmp_path / "bild-\u00fc-\U0001F600.bmp", showcase)  # any path-like object
        assert picture.File == str(tmp_path / "bild-\u00fc-\U0001F600.bmp")
        picture.ScaleFactor = 2
        picture.Width, picture.Height = 500, 400
        p, reference = paragraph_of("pic: "), paragraph_of("pic: ")
        assert p.InsertPicture(picture) is True and reference.InsertPicture(picture) is True
        broken = tmp_path / "broken.png"
        broken.write_bytes(b"\x89PNG\r\n\x1a\n" + b"\0" * 40)
        for file in (str(tmp_path / "missing.bmp"), str(broken), str(tmp_path), ""):
            picture.File = file
            assert p.InsertPicture(picture) is False
        rtf = document_of(p).Rtf()
        assert "{\\pict\\wmetafile8" in rtf and "\\picwgoal" in rtf
        assert masked(rtf) == masked(document_of(reference).Rtf())
        twips = paragraph_of("")
        sized = v.cPicture(File=tmp_path / "bild-\u00fc-\U0001F600.bmp", WidthTwips=2880, UseFileResolution=True)
        assert twips.InsertPicture(sized) is True and "\\picwgoal2880\\" in document_of(twips).Rtf()

    def test_a_later_change_to_the_picture_does_not_reach_the_paragraph(self, tmp_path, showcase):
        picture = v.cPicture()
        picture.File = str(write_bmp(tmp_path / "w.bmp", showcase))
        a, b = v.cParagraph(), v.cParagraph()
        a.InsertPicture(picture)
        b.InsertPicture(picture)
        picture.Border.TopVisible = True
        assert masked(document_of(a).Rtf()) == masked(document_of(b).Rtf())


class TestText:
    def test_text_beyond_the_basic_plane(self, fixed_clock):
        text = "Emoji \U0001F600, Gothic \U00010348, Greek \u0395\u03bb, {braces}"
        doc = document_of(paragraph_of(text))
        doc.Title = text
        assert doc.Title == text
        rtf = doc.Rtf()
        assert rtf.isascii()
        # Every character above U+007F is written as UTF-16 code units, signed.
        units = [int(n) & 0xFFFF for n in re.findall(r"\\u(-?\d+)", rtf)]
        decoded = b"".join(u.to_bytes(2, "little") for u in units).decode("utf-16-le")
        assert decoded == "\U0001F600\U00010348\u0395\u03bb" * 2  # title, then the run

    def test_a_lone_surrogate_is_refused_and_changes_nothing(self):
        run = v.cText()
        doc = v.cDocument()
        doc.Title = "kept"
        with pytest.raises(UnicodeEncodeError):
            doc.Title = "\ud800"
        assert doc.Title == "kept"
        with pytest.raises(UnicodeEncodeError):
            run.Text = "a\udfff"


class TestSave:
    def test_save_takes_str_path_like_and_bytes(self, tmp_path, fixed_clock):
        doc = document_of(paragraph_of("saved \U0001F600"))
        expected = doc.Rtf().encode("ascii")
        for target in (tmp_path / "path.rtf", str(tmp_path / "str.rtf"), os.fsencode(tmp_path / "bytes.rtf"),
                       tmp_path / "n\u00e4me \U0001F600.rtf"):
            assert doc.Save(target) is True
            assert Path(os.fsdecode(target)).read_bytes() == expected
        assert doc.Save("") is False
        with pytest.raises(TypeError):
            doc.Save(5)
        with pytest.raises(TypeError):
            doc.Save(None)

    def test_file_errors_keep_their_numbers_and_the_earlier_file(self, tmp_path):
        doc = document_of(paragraph_of("x"))
        with pytest.raises(FileNotFoundError) as failure:
            doc.Save(tmp_path / "no" / "such" / "folder.rtf")
        assert isinstance(failure.value, v.Error) and failure.value.number == 76
        assert failure.value.filename == str(tmp_path / "no" / "such" / "folder.rtf")
        locked = tmp_path / "locked.rtf"
        locked.write_text("earlier")
        locked.chmod(0o444)
        if os.geteuid() != 0:  # root writes anyway
            with pytest.raises(PermissionError) as failure:
                doc.Save(locked)
            assert failure.value.number == 70 and failure.value.filename == str(locked)
        with pytest.raises(v.Error) as failure:
            doc.Save(str(tmp_path) + "/bad\0name.rtf")
        assert failure.value.number == 52
        with pytest.raises(v.Error) as failure:
            doc.Save(tmp_path)  # a folder
        assert 52 <= failure.value.number <= 76 and failure.value.errno == errno.EISDIR

    def test_running_out_of_memory_in_save_raises_memory_error_and_keeps_the_file(self, tmp_path):
        # A child whose address space is capped just above what it holds: the
        # header's 40 MB do not fit a second time.
        script = textwrap.dedent(r"""
            import resource, sys
            import velloran as v
            doc, header = v.cDocument(), v.cParagraph()
            run = v.cText()
            run.Text = "h" * 40000000
            header.InsertText(run)
            del run
            doc.Header = header
            size = int(open("/proc/self/status").read().split("VmSize:")[1].split()[0]) * 1024
            resource.setrlimit(resource.RLIMIT_AS, (size + 20000000, resource.RLIM_INFINITY))
            try:
                doc.Save(sys.argv[1])
                print("saved")
            except MemoryError:
                print("MemoryError")
        """)
        target = tmp_path / "old.rtf"
        target.write_text("earlier")
        done = subprocess.run([sys.executable, "-c", script, str(target)], capture_output=True, text=True,
                              timeout=120, env={**os.environ, "PYTHONPATH": os.pathsep.join(sys.path)})
        assert done.stdout.split() == ["MemoryError"], done.stderr
        assert target.read_text() == "earlier" and os.listdir(tmp_path) == ["old.rtf"]
