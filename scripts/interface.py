"""The one description of the fifteen classes: src/com/velloran.idl, read by a
parser of the part of the IDL grammar it is written in (imports, a library
of forward declarations, typedefs of enumerations and pointers, interfaces of
attributed methods, coclasses). The build's generators and the checks take
the classes, their members and the enumerations from here:

    import interface
    idl = interface.read()
    idl.enums["vlRTFAlignment"]      # [("aLeft", 0), ...]
    idl.classes["cText"]["Bold"]     # {"id": ..., "get": True, "put": True, ...}

From the shell, `scripts/interface.py uuids` prints every identifier the
IDL fixes and `scripts/interface.py coclasses` every class, a line each.

A class's interfaces (_cText, then _cText2 : _cText, ...) are merged in
order: a class's members are those of all its interfaces. A text the parser
cannot read raises IdlError with its line.
"""
import os
import re

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
IDL = os.path.join(ROOT, "src", "com", "velloran.idl")


class IdlError(Exception):
    pass


TOKEN = re.compile(r"""
    (?P<space>\s+|//[^\n]*|/\*.*?\*/)
  | (?P<string>"(?:[^"\\]|\\.)*")
  | (?P<uuid>[0-9A-Fa-f]{8}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{12})
  | (?P<number>-?0[xX][0-9a-fA-F]+|-?\d+(?:\.\d+)?)
  | (?P<name>[A-Za-z_]\w*)
  | (?P<symbol>[\[\](){};,:=*])
""", re.X | re.S)


def tokens(text):
    """(kind, text, line) of each token, comments and spaces left out."""
    at, line = 0, 1
    out = []
    while at < len(text):
        m = TOKEN.match(text, at)
        if not m:
            raise IdlError("line %d: cannot read %r" % (line, text[at:at + 20]))
        kind = m.lastgroup
        if kind != "space":
            out.append((kind, m.group(), line))
        line += m.group().count("\n")
        at = m.end()
    return out


class Parser:
    def __init__(self, text):
        self.tokens = tokens(text)
        self.at = 0
        self.uuids = []  # every identifier an attribute list fixes, in order

    def peek(self, offset=0):
        i = self.at + offset
        return self.tokens[i] if i < len(self.tokens) else ("end", "", 0)

    def take(self, wanted=None):
        token = self.peek()
        if wanted is not None and token[1] != wanted:
            raise IdlError("line %d: %r where %r belongs" % (token[2], token[1], wanted))
        self.at += 1
        return token

    def accept(self, wanted):
        if self.peek()[1] == wanted:
            self.at += 1
            return True
        return False

    def attributes(self):
        """[name, (name, [argument texts])] of an attribute list, or [] when none stands here."""
        if not self.accept("["):
            return []
        out = []
        while True:
            name = self.take()[1]
            args = []
            if self.accept("("):
                depth, arg = 0, []
                while depth or self.peek()[1] != ")":
                    t = self.take()[1]
                    depth += (t == "(") - (t == ")")
                    arg.append(t)
                self.take(")")
                args = ["".join(arg)]
            out.append((name, args))
            if name == "uuid":
                self.uuids += args
            if self.accept("]"):
                return out
            self.take(",")

    def type_(self):
        """A parameter's or typedef's type, as the IDL writes it ("long", "_cCell*", "SAFEARRAY(cCellPtr)*")."""
        name = self.take()[1]
        if name == "SAFEARRAY":
            self.take("(")
            name = "SAFEARRAY(%s)" % self.take()[1]
            self.take(")")
        while self.accept("*"):
            name += "*"
        return name


def parse(text):
    """{"enums": {name: [(member, value)]}, "interfaces": [(name, base, [declaration])],
    "coclasses": {name: [interface]}, "uuids": [identifier]}; a declaration is (attributes, name, [(attributes, type, name)], line)."""
    p = Parser(text)
    model = {"enums": {}, "interfaces": [], "coclasses": {}}
    while p.peek()[0] != "end":
        if p.accept("import"):
            p.take()
            p.take(";")
            continue
        p.attributes()
        p.take("library")
        p.take()
        p.take("{")
        library_body(p, model)
        p.take("}")
        p.accept(";")
    model["uuids"] = p.uuids
    return model


def library_body(p, model):
    while p.peek()[1] != "}":
        if p.accept("importlib"):
            p.take("(")
            p.take()
            p.take(")")
            p.take(";")
        elif p.accept("typedef"):
            typedef(p, model)
        else:
            attributes = p.attributes()
            kind = p.take()[1]
            if kind == "interface":
                interface(p, model)
            elif kind == "coclass":
                name = p.take()[1]
                p.take("{")
                members = []
                while not p.accept("}"):
                    p.attributes()
                    p.take("interface")
                    members.append(p.take()[1])
                    p.take(";")
                p.take(";")
                model["coclasses"][name] = members
            else:
                raise IdlError("line %d: %r is not a declaration this IDL holds" % (p.peek()[2], kind))
            del attributes


def typedef(p, model):
    p.attributes()
    if not p.accept("enum"):
        p.type_()
        p.take()
        p.take(";")
        return
    name = p.take()[1]
    p.take("{")
    members = []
    while not p.accept("}"):
        member = p.take()[1]
        p.take("=")
        members.append((member, int(p.take()[1], 0)))
        p.accept(",")
    if p.take()[1] != name:
        raise IdlError("line %d: enum %s under another name" % (p.peek()[2], name))
    p.take(";")
    model["enums"][name] = members


def interface(p, model):
    name = p.take()[1]
    if p.accept(";"):
        return  # a forward declaration
    base = None
    if p.accept(":"):
        base = p.take()[1]
    p.take("{")
    declarations = []
    while not p.accept("}"):
        line = p.peek()[2]
        attributes = p.attributes()
        p.take("HRESULT")
        member = p.take()[1]
        p.take("(")
        params = []
        while not p.accept(")"):
            param_attributes = p.attributes()
            type_ = p.type_()
            params.append((param_attributes, type_, p.take()[1]))
            p.accept(",")
        p.take(";")
        declarations.append((attributes, member, params, line))
    p.take(";")
    model["interfaces"].append((name, base, declarations))


class Interface:
    """The classes and enumerations the IDL describes, in its order."""

    def __init__(self, text):
        model = parse(text)
        self.enums = model["enums"]
        self.coclasses = model["coclasses"]
        self.uuids = model["uuids"]
        self.types = types(self)
        self.declarations = []  # (class, member, kind, attributes, line), for the checks of the help strings
        self.classes = {}
        for name, base, declarations in model["interfaces"]:
            m = re.match(r"_(c[A-Za-z]+?)\d*$", name)
            if not m:
                raise IdlError("interface %s names no class" % name)
            cls = m.group(1)
            table = self.classes.setdefault(cls, {})
            for attributes, member, params, line in declarations:
                self._add(cls, table, attributes, member, params, line)

    def _add(self, cls, table, attributes, member, params, line):
        flags = {a for a, _ in attributes}
        ident = int(next(args[0] for a, args in attributes if a == "id"), 16)
        kind = "get" if "propget" in flags else "putref" if "propputref" in flags else \
            "put" if "propput" in flags else "method"
        entry = table.setdefault(member, {"id": ident, "params": [], "type": None})
        entry["id_conflict"] = entry.get("id_conflict") or entry["id"] != ident
        entry[kind] = True
        help_ = [args[0] for a, args in attributes if a == "helpstring"]
        self.declarations.append((cls, member, kind, attributes, line))
        returned = [p for p in params if any(a == "retval" for a, _ in p[0])]
        given = [p for p in params if p not in returned]
        if kind == "get":
            entry["type"] = returned[0][1][:-1]
        elif kind in ("put", "putref") and not entry["type"]:
            entry["type"] = given[0][1]
        elif kind == "method":
            entry["params"] = [name for _, _, name in given]
            entry["param_types"] = [t for _, t, _ in given]
            entry["defaults"] = [int(args[0]) for attrs, _, _ in given for a, args in attrs if a == "defaultvalue"]
            entry["type"] = returned[0][1][:-1] if returned else None
        if help_:
            entry["help"] = help_[0][1:-1]


def read(path=IDL):
    with open(path, encoding="utf-8") as f:
        return Interface(f.read())


def access(entry):
    if entry.get("method"):
        return "method"
    if entry.get("get") and (entry.get("put") or entry.get("putref")):
        return "read/write"
    return "read-only" if entry.get("get") else "write-only"


def object_type(t):
    """The class of an object type ("_cPage*" is cPage), or None."""
    m = re.match(r"_(c\w+?)\d*\*$", t or "")
    return m.group(1) if m else None


# Each face's name for a member's type, from its IDL type: the core's C++
# type, the COM accessor's, the Python module's conversion, the stub's
# annotation and the reference pages' name. The enumerations are their own
# names in C++, the reference and (with int) the stub; "::" + the name in
# the COM server; a conversion named after them in the module.
def _enum_value(name):
    return name[len("vlRTF"):] + "Value" if name != "vlRTFPictureEmbedding" else "EmbeddingValue"


def types(idl):
    table = {
        "long": {"cpp": "std::int32_t", "com": "LONG", "python": "LongValue", "stub": "int", "reference": "Long"},
        "VARIANT_BOOL": {"cpp": "Boolean", "com": "VARIANT_BOOL", "python": "BooleanValue", "stub": "Boolean",
                         "reference": "Boolean"},
        "BSTR": {"cpp": "std::string", "com": "BSTR", "python": "StringValue", "stub": "str", "reference": "String"},
        "float": {"cpp": "float", "com": "float", "python": "SingleValue", "stub": "float", "reference": "Single"},
        "SAFEARRAY(cCellPtr)": {"cpp": "CellArray"},
        # InsertRows' values: a two-dimensional array of Variants.
        "VARIANT": {"cpp": "TableRows"},
    }
    for name in idl.enums:
        table[name] = {"cpp": name, "com": "::" + name, "python": _enum_value(name), "stub": name + " | int",
                       "reference": name}
    return table


def face_type(idl, idl_type, face):
    """A member's type in one face, or None when that face has no name for it."""
    return idl.types.get(idl_type, {}).get(face)


if __name__ == "__main__":
    import sys
    idl = read()
    what = {"uuids": idl.uuids, "coclasses": list(idl.coclasses)}.get(sys.argv[1] if len(sys.argv) == 2 else "")
    if what is None:
        sys.exit("usage: scripts/interface.py uuids|coclasses")
    print("\n".join(what))
