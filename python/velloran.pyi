"""Write Rich Text Format documents: the fifteen classes of Velloran over its C++ core.

Booleans are automation Booleans: True stores -1 and False 0; reading gives
True for -1, False for 0 and the stored integer otherwise. Integers are 32-bit
(a value beyond that raises Error 6). Object fields hold the very object
assigned, None for Nothing.
"""
import enum
import os
from typing import Any, Iterable, Iterator, Sequence, Union

__version__: str

Boolean = Union[bool, int]
_Path = Union[str, bytes, os.PathLike[str], os.PathLike[bytes]]

class Error(Exception):
    """An automation error: number 5, 6, 9, 91 or a file error from 52 to 76; str() is its classic message."""
    number: int
    message: str
    def __init__(self, number: int, message: str | None = ...) -> None: ...

class ArgumentError(Error, ValueError):
    """Error 5, invalid procedure call or argument."""

class SubscriptError(Error, IndexError):
    """Error 9, subscript out of range."""

class FileError(Error, OSError):
    """A file error (52 to 76), with errno, strerror and the file's name where it is known."""
    def __init__(self, number: int, message: str | None = ..., filename: str | None = ...) -> None: ...

class FileNotFound(FileError, FileNotFoundError):
    """Error 53 (file not found) or 76 (path not found)."""

class PermissionDenied(FileError, PermissionError):
    """Error 70, permission denied."""

class vlRTFAlignment(enum.IntEnum):
    aLeft = 0
    aRight = 1
    aCenter = 2
    aJustified = 3

class vlRTFBorderType(enum.IntEnum):
    bSingle = 1
    bDouble = 2
    bThick = 3
    bShadow = 4
    bDot = 5
    bHairline = 6

class vlRTFBorderStyle(enum.IntEnum):
    bsFrame = 0
    bsSingle = 1
    bsDouble = 2
    bsThick = 3
    bsShadow = 4
    bsDot = 5
    bsHairline = 6
    bsDash = 7

class vlRTFField(enum.IntEnum):
    fNone = 0
    fPageNumber = 1
    fPageCount = 2
    fDate = 3

class vlRTFList(enum.IntEnum):
    lNone = 0
    lBullet = 1
    lNumber = 2

class vlRTFOrientation(enum.IntEnum):
    oDocument = 0
    oPortrait = 1
    oLandscape = 2

class vlRTFPictureEmbedding(enum.IntEnum):
    eMetafile = 0
    eOriginal = 1
    eOriginalAndMetafile = 2

class vlRTFVerticalPosition(enum.IntEnum):
    vNormal = 0
    vSuperscript = 1
    vSubscript = 2

class vlRTFTabAlignment(enum.IntEnum):
    tLeft = 0
    tCenter = 1
    tRight = 2
    tDecimal = 3

class vlRTFVerticalAlignment(enum.IntEnum):
    vaTop = 0
    vaCenter = 1
    vaBottom = 2

class vlRTFTabLeader(enum.IntEnum):
    tlNone = 0
    tlDots = 1
    tlHyphens = 2
    tlUnderline = 3

aLeft: vlRTFAlignment
aRight: vlRTFAlignment
aCenter: vlRTFAlignment
aJustified: vlRTFAlignment
bSingle: vlRTFBorderType
bDouble: vlRTFBorderType
bThick: vlRTFBorderType
bShadow: vlRTFBorderType
bDot: vlRTFBorderType
bHairline: vlRTFBorderType
bsFrame: vlRTFBorderStyle
bsSingle: vlRTFBorderStyle
bsDouble: vlRTFBorderStyle
bsThick: vlRTFBorderStyle
bsShadow: vlRTFBorderStyle
bsDot: vlRTFBorderStyle
bsHairline: vlRTFBorderStyle
bsDash: vlRTFBorderStyle
fNone: vlRTFField
fPageNumber: vlRTFField
fPageCount: vlRTFField
fDate: vlRTFField
lNone: vlRTFList
lBullet: vlRTFList
lNumber: vlRTFList
oDocument: vlRTFOrientation
oPortrait: vlRTFOrientation
oLandscape: vlRTFOrientation
eMetafile: vlRTFPictureEmbedding
eOriginal: vlRTFPictureEmbedding
eOriginalAndMetafile: vlRTFPictureEmbedding
vNormal: vlRTFVerticalPosition
vSuperscript: vlRTFVerticalPosition
vSubscript: vlRTFVerticalPosition
vaTop: vlRTFVerticalAlignment
vaCenter: vlRTFVerticalAlignment
vaBottom: vlRTFVerticalAlignment
tLeft: vlRTFTabAlignment
tCenter: vlRTFTabAlignment
tRight: vlRTFTabAlignment
tDecimal: vlRTFTabAlignment
tlNone: vlRTFTabLeader
tlDots: vlRTFTabLeader
tlHyphens: vlRTFTabLeader
tlUnderline: vlRTFTabLeader

def BlackColorIndex() -> int:
    """Colour index of black in this thread's documents: 0 until the thread's first cDocument, then 1."""
def WhiteColorIndex() -> int:
    """Colour index of white in this thread's documents: 0 until the thread's first cDocument, then 2."""
def _error_class(number: int) -> type[Error]:
    """The class of an error number: ArgumentError, SubscriptError, FileNotFound, PermissionDenied, FileError or Error."""
def _set_fixed_clock(time: tuple[int, int, int, int, int] | None) -> None:
    """Test seam: fix this thread's clock at (year, month, day, hour, minute); None returns to the system clock."""

class cBorder:
    """The four sides of a paragraph's, picture's or cell's frame."""
    TopWidth: int
    LeftWidth: int
    BottomWidth: int
    RightWidth: int
    TopVisible: Boolean
    LeftVisible: Boolean
    BottomVisible: Boolean
    RightVisible: Boolean
    BorderType: vlRTFBorderType | int
    BorderColorIndex: int
    TopStyle: vlRTFBorderStyle | int
    BottomStyle: vlRTFBorderStyle | int
    LeftStyle: vlRTFBorderStyle | int
    RightStyle: vlRTFBorderStyle | int
    TopColorIndex: int
    BottomColorIndex: int
    LeftColorIndex: int
    RightColorIndex: int
    def __init__(self, *, TopWidth: int = ..., LeftWidth: int = ..., BottomWidth: int = ..., RightWidth: int = ..., TopVisible: Boolean = ..., LeftVisible: Boolean = ..., BottomVisible: Boolean = ..., RightVisible: Boolean = ..., BorderType: vlRTFBorderType | int = ..., BorderColorIndex: int = ..., TopStyle: vlRTFBorderStyle | int = ..., BottomStyle: vlRTFBorderStyle | int = ..., LeftStyle: vlRTFBorderStyle | int = ..., RightStyle: vlRTFBorderStyle | int = ..., TopColorIndex: int = ..., BottomColorIndex: int = ..., LeftColorIndex: int = ..., RightColorIndex: int = ...) -> None: ...

class cText:
    """One run of text with one set of character properties."""
    FontIndex: int
    Height: int
    Bold: Boolean
    Italic: Boolean
    Strike: Boolean
    ForeColorIndex: int
    BackColorIndex: int
    Underline: Boolean
    UnderlineDot: Boolean
    UnderlineDouble: Boolean
    UnderlineWords: Boolean
    @property
    def Text(self) -> str:
        """Write-only: reading raises AttributeError (typed as what it takes, so that assigning checks)."""
    @Text.setter
    def Text(self, value: str) -> None: ...
    Field: vlRTFField | int
    Link: str
    VerticalPosition: vlRTFVerticalPosition | int
    SmallCaps: Boolean
    AllCaps: Boolean
    Hidden: Boolean
    HighlightColorIndex: int
    CharacterSpacing: int
    Bookmark: str
    LinkToBookmark: str
    ContentsLevels: int
    RawRtf: str
    RightToLeft: Boolean
    EastAsianFontIndex: int
    def __init__(self, *, FontIndex: int = ..., Height: int = ..., Bold: Boolean = ..., Italic: Boolean = ..., Strike: Boolean = ..., ForeColorIndex: int = ..., BackColorIndex: int = ..., Underline: Boolean = ..., UnderlineDot: Boolean = ..., UnderlineDouble: Boolean = ..., UnderlineWords: Boolean = ..., Text: str = ..., Field: vlRTFField | int = ..., Link: str = ..., VerticalPosition: vlRTFVerticalPosition | int = ..., SmallCaps: Boolean = ..., AllCaps: Boolean = ..., Hidden: Boolean = ..., HighlightColorIndex: int = ..., CharacterSpacing: int = ..., Bookmark: str = ..., LinkToBookmark: str = ..., ContentsLevels: int = ..., RawRtf: str = ..., RightToLeft: Boolean = ..., EastAsianFontIndex: int = ...) -> None: ...

class cParagraph:
    """A paragraph of runs, drawings and pictures."""
    Align: vlRTFAlignment | int
    @property
    def Border(self) -> cBorder:
        """The object's own cBorder at first; None may be assigned, and fails the rendering with error 91."""
    @Border.setter
    def Border(self, value: cBorder | None) -> None: ...
    IndentFirstLine: int
    IndentLeft: int
    IndentRight: int
    SpaceBefore: int
    SpaceAfter: int
    SpaceBetweenLines: int
    ListStyle: vlRTFList | int
    ListLevel: int
    ListId: int
    KeepWithNext: Boolean
    KeepTogether: Boolean
    PageBreakBefore: Boolean
    WidowControl: Boolean
    LineSpacingMultiple: float
    OutlineLevel: int
    StyleIndex: int
    RightToLeft: Boolean
    def __init__(self, *, Align: vlRTFAlignment | int = ..., Border: cBorder | None = ..., IndentFirstLine: int = ..., IndentLeft: int = ..., IndentRight: int = ..., SpaceBefore: int = ..., SpaceAfter: int = ..., SpaceBetweenLines: int = ..., ListStyle: vlRTFList | int = ..., ListLevel: int = ..., ListId: int = ..., KeepWithNext: Boolean = ..., KeepTogether: Boolean = ..., PageBreakBefore: Boolean = ..., WidowControl: Boolean = ..., LineSpacingMultiple: float = ..., OutlineLevel: int = ..., StyleIndex: int = ..., RightToLeft: Boolean = ...) -> None: ...
    def InsertText(self, text: cText | None) -> bool:
        """Append the run as it is now; None or an empty text appends nothing and returns True."""
    def InsertDrawing(self, drawing: cDrawing | None) -> bool:
        """Append the drawing group as it is now; False for None."""
    def InsertPicture(self, picture: cPicture | None) -> bool:
        """Append the picture's file as a metafile, or as its Embedding says as the PNG or JPEG file itself; False for None or a file that cannot be read."""
    def InsertFootnote(self, note: cParagraph | None) -> bool:
        """Append a footnote mark and the note paragraph as it is now; False for None or the paragraph itself."""
    def InsertEndnote(self, note: cParagraph | None) -> bool:
        """Append an endnote mark and the note paragraph as it is now, gathered at the end of the document; False for None or the paragraph itself."""
    def AddTabStop(self, position: int, alignment: vlRTFTabAlignment | int = ..., leader: vlRTFTabLeader | int = ...) -> bool:
        """Add a tab stop position twips from the left margin, in the order added; ArgumentError for a negative position."""
    def ClearTabStops(self) -> bool:
        """Remove every tab stop added."""

class cCell:
    """One table cell: width, shading, borders and paragraphs."""
    @property
    def Border(self) -> cBorder:
        """The object's own cBorder at first; None may be assigned, and fails the rendering with error 91."""
    @Border.setter
    def Border(self, value: cBorder | None) -> None: ...
    BackColorIndex: int
    Width: int
    ColumnSpan: int
    RowSpan: int
    VerticalAlignment: vlRTFVerticalAlignment | int
    PaddingLeft: int
    PaddingTop: int
    PaddingRight: int
    PaddingBottom: int
    WidthPercent: float
    def __init__(self, *, Border: cBorder | None = ..., BackColorIndex: int = ..., Width: int = ..., ColumnSpan: int = ..., RowSpan: int = ..., VerticalAlignment: vlRTFVerticalAlignment | int = ..., PaddingLeft: int = ..., PaddingTop: int = ..., PaddingRight: int = ..., PaddingBottom: int = ..., WidthPercent: float = ...) -> None: ...
    def InsertParagraph(self, paragraph: cParagraph | None) -> bool:
        """Append the paragraph as it is now; False for None."""

class CellArray:
    """An array of cells with bounds per dimension; index it as cells[column, row]."""
    def __init__(self, bounds: Iterable[tuple[int, int]]) -> None: ...
    def dimensions(self) -> int: ...
    def lbound(self, dimension: int) -> int: ...
    def ubound(self, dimension: int) -> int: ...
    def __getitem__(self, index: int | tuple[int, ...]) -> cCell | None: ...
    def __setitem__(self, index: int | tuple[int, ...], cell: cCell | None) -> None: ...
    def __len__(self) -> int: ...
    def __iter__(self) -> Iterator[cCell | None]: ...

class cPage:
    """The content of one page, ended by a page break."""
    TableHeaderRows: int
    Orientation: vlRTFOrientation | int
    TableRowHeight: int
    TableRowHeightExact: Boolean
    TableAlign: vlRTFAlignment | int
    TableIndent: int
    TableKeepRowsTogether: Boolean
    TableWidth: int
    PageHeader: cPage | None
    PageFooter: cPage | None
    PageNumberStart: int
    PageWidth: int
    PageHeight: int
    PageMarginLeft: int
    PageMarginRight: int
    PageMarginTop: int
    PageMarginBottom: int
    TableRules: Boolean
    TableFontIndex: int
    TableFontHeight: int
    TablePaginate: Boolean
    TableRowsPerPage: int
    TableContinuedText: str
    TableContinuedHeadText: str
    PageColumns: int
    PageColumnSpace: int
    PageColumnLine: Boolean
    PageLineNumbers: int
    PageLineNumberDistance: int
    PageLineNumbersEachPage: Boolean
    PageBorder: cBorder | None
    TableRightToLeft: Boolean
    def __init__(self, *, TableHeaderRows: int = ..., Orientation: vlRTFOrientation | int = ..., TableRowHeight: int = ..., TableRowHeightExact: Boolean = ..., TableAlign: vlRTFAlignment | int = ..., TableIndent: int = ..., TableKeepRowsTogether: Boolean = ..., TableWidth: int = ..., PageHeader: cPage | None = ..., PageFooter: cPage | None = ..., PageNumberStart: int = ..., PageWidth: int = ..., PageHeight: int = ..., PageMarginLeft: int = ..., PageMarginRight: int = ..., PageMarginTop: int = ..., PageMarginBottom: int = ..., TableRules: Boolean = ..., TableFontIndex: int = ..., TableFontHeight: int = ..., TablePaginate: Boolean = ..., TableRowsPerPage: int = ..., TableContinuedText: str = ..., TableContinuedHeadText: str = ..., PageColumns: int = ..., PageColumnSpace: int = ..., PageColumnLine: Boolean = ..., PageLineNumbers: int = ..., PageLineNumberDistance: int = ..., PageLineNumbersEachPage: Boolean = ..., PageBorder: cBorder | None = ..., TableRightToLeft: Boolean = ...) -> None: ...
    def InsertParagraph(self, paragraph: cParagraph | None) -> bool:
        """Append the paragraph as it is now; False for None."""
    def InsertTable(self, cells: CellArray | Sequence[Sequence[cCell | None]]) -> bool:
        """Append a table from a CellArray [column, row] or a list of rows; Error 9, 91 or 6 when malformed."""
    def InsertRows(self, values: Sequence[Sequence[str | float | None]] | Any) -> bool:
        """Append a table made from rows of values or a pandas DataFrame; ArgumentError (5) when ragged."""
    def AddTableColumn(self, width: int, align: vlRTFTabAlignment | int = tLeft, decimals: int = -1) -> bool:
        """One more column for the tables InsertRows makes: width, alignment, digits after the point."""
    def ClearTableColumns(self) -> bool:
        """Forget the columns AddTableColumn set."""

class cDocument:
    """The root object: page set-up, fonts, colours, information and pages."""
    Author: str
    Operator: str
    Title: str
    Subject: str
    PageWidth: int
    PageHeight: int
    PageMarginLeft: int
    PageMarginRight: int
    PageMarginTop: int
    PageMarginBottom: int
    PageLandscape: Boolean
    PageNumbersOn: Boolean
    PageNumberStart: int
    PageNumberMarginRight: int
    PageNumberMarginTop: int
    FontDefaultName: str
    FontDefaultCharSet: int
    FontDefaultHeight: int
    Header: cParagraph | None
    Footer: cParagraph | None
    @property
    def LastPage(self) -> int:
        """The number of pages inserted so far."""
    PageHeader: cPage | None
    PageFooter: cPage | None
    FirstPageHeader: cPage | None
    FirstPageFooter: cPage | None
    EvenPageHeader: cPage | None
    EvenPageFooter: cPage | None
    CreationTime: str
    def __init__(self, *, Author: str = ..., Operator: str = ..., Title: str = ..., Subject: str = ..., PageWidth: int = ..., PageHeight: int = ..., PageMarginLeft: int = ..., PageMarginRight: int = ..., PageMarginTop: int = ..., PageMarginBottom: int = ..., PageLandscape: Boolean = ..., PageNumbersOn: Boolean = ..., PageNumberStart: int = ..., PageNumberMarginRight: int = ..., PageNumberMarginTop: int = ..., FontDefaultName: str = ..., FontDefaultCharSet: int = ..., FontDefaultHeight: int = ..., Header: cParagraph | None = ..., Footer: cParagraph | None = ..., PageHeader: cPage | None = ..., PageFooter: cPage | None = ..., FirstPageHeader: cPage | None = ..., FirstPageFooter: cPage | None = ..., EvenPageHeader: cPage | None = ..., EvenPageFooter: cPage | None = ..., CreationTime: str = ...) -> None: ...
    def InsertPage(self, page: cPage | None) -> bool:
        """Append the page as it is now; False for None."""
    def InsertDocument(self, document: cDocument | None, restart: Boolean = False) -> bool:
        """Append the document's pages as they are now as a section of this one; ArgumentError for this document itself."""
    def Rtf(self) -> str:
        """The complete document, plain ASCII."""
    def Save(self, path: _Path) -> bool:
        """Write the document to a file; False for an empty path; FileError (52 to 76) naming the file for file failures."""
    def FontIndex(self, name: str, charset: int = -1) -> int:
        """The index of a font in the font table, entering it when it is new."""
    def StyleIndex(self, name: str) -> int:
        """The style sheet index of a paragraph style, entering it when it is new; "heading 1" to "heading 9" are the built-in headings."""
    def ColorIndex(self, rgb: int) -> int:
        """The colour index of an RGB value (red in the lowest byte), entering it when it is new."""

class cPicture:
    """A picture file to embed in a paragraph: as a Windows metafile, or a PNG or JPEG file as it is."""
    @property
    def File(self) -> str:
        """Path of the picture file; any path-like object may be stored, it reads back as str."""
    @File.setter
    def File(self, value: _Path) -> None: ...
    Width: int
    Height: int
    ScaleFactor: float
    @property
    def Border(self) -> cBorder:
        """The object's own cBorder at first; None may be assigned, and fails the rendering with error 91."""
    @Border.setter
    def Border(self, value: cBorder | None) -> None: ...
    Embedding: vlRTFPictureEmbedding | int
    WidthTwips: int
    HeightTwips: int
    UseFileResolution: Boolean
    def __init__(self, *, File: _Path = ..., Width: int = ..., Height: int = ..., ScaleFactor: float = ..., Border: cBorder | None = ..., Embedding: vlRTFPictureEmbedding | int = ..., WidthTwips: int = ..., HeightTwips: int = ..., UseFileResolution: Boolean = ...) -> None: ...

class cPoint:
    """A vertex of a polyline or polygon."""
    x: int
    y: int
    def __init__(self, *, x: int = ..., y: int = ...) -> None: ...

class cLine:
    """A straight line between two end points."""
    x1: int
    y1: int
    x2: int
    y2: int
    PenWidth: int
    PenRGBColor: int
    def __init__(self, *, x1: int = ..., y1: int = ..., x2: int = ..., y2: int = ..., PenWidth: int = ..., PenRGBColor: int = ...) -> None: ...

class cRect:
    """A rectangle."""
    x: int
    y: int
    Width: int
    Height: int
    PenWidth: int
    PenRGBColor: int
    FillBackRGBColor: int
    FillForeRGBColor: int
    FillPattern: int
    def __init__(self, *, x: int = ..., y: int = ..., Width: int = ..., Height: int = ..., PenWidth: int = ..., PenRGBColor: int = ..., FillBackRGBColor: int = ..., FillForeRGBColor: int = ..., FillPattern: int = ...) -> None: ...

class cEllipse:
    """An ellipse within its bounding rectangle."""
    x: int
    y: int
    Width: int
    Height: int
    PenWidth: int
    PenRGBColor: int
    FillBackRGBColor: int
    FillForeRGBColor: int
    FillPattern: int
    def __init__(self, *, x: int = ..., y: int = ..., Width: int = ..., Height: int = ..., PenWidth: int = ..., PenRGBColor: int = ..., FillBackRGBColor: int = ..., FillForeRGBColor: int = ..., FillPattern: int = ...) -> None: ...

class cDrawingText:
    """A text box holding one run as a single paragraph."""
    x: int
    y: int
    Width: int
    Height: int
    PenWidth: int
    PenRGBColor: int
    FillBackRGBColor: int
    FillForeRGBColor: int
    FillPattern: int
    @property
    def Text(self) -> cText | None:
        """Write-only: reading raises AttributeError (typed as what it takes, so that assigning checks)."""
    @Text.setter
    def Text(self, value: cText | None) -> None: ...
    def __init__(self, *, x: int = ..., y: int = ..., Width: int = ..., Height: int = ..., PenWidth: int = ..., PenRGBColor: int = ..., FillBackRGBColor: int = ..., FillForeRGBColor: int = ..., FillPattern: int = ..., Text: cText | None = ...) -> None: ...

class cPolyline:
    """An open chain of line segments through its points."""
    PenWidth: int
    PenRGBColor: int
    FillBackRGBColor: int
    FillForeRGBColor: int
    FillPattern: int
    def __init__(self, *, PenWidth: int = ..., PenRGBColor: int = ..., FillBackRGBColor: int = ..., FillForeRGBColor: int = ..., FillPattern: int = ...) -> None: ...
    def InsertPoint(self, point: cPoint | None) -> bool: ...

class cPolygon:
    """A closed outline through its points."""
    PenWidth: int
    PenRGBColor: int
    FillBackRGBColor: int
    FillForeRGBColor: int
    FillPattern: int
    def __init__(self, *, PenWidth: int = ..., PenRGBColor: int = ..., FillBackRGBColor: int = ..., FillForeRGBColor: int = ..., FillPattern: int = ...) -> None: ...
    def InsertPoint(self, point: cPoint | None) -> bool: ...

class cDrawing:
    """A group of shapes anchored in a paragraph."""
    def __init__(self) -> None: ...
    def InsertText(self, text: cDrawingText | None) -> bool: ...
    def InsertEllipse(self, ellipse: cEllipse | None) -> bool: ...
    def InsertPolygon(self, polygon: cPolygon | None) -> bool: ...
    def InsertPolyline(self, polyline: cPolyline | None) -> bool: ...
    def InsertLine(self, line: cLine | None) -> bool: ...
    def InsertRect(self, rect: cRect | None) -> bool: ...
