#!/usr/bin/env python3
"""Keeps the layers of docs/architecture.md true, from the files' includes (every file includes
the headers of the names it uses, so its includes are its dependencies) and from the names the
files use of each other.

Includes:
  core     window-free, standard C++: common < settings < typing < keys < course < training < exam (CORE_ORDER); a
           folder includes its own headers and those of folders below it, and resources/resource.h
           (its tests may include any core header)
  glue     *_win.cpp / *_win.h of the CORE_ORDER folders: any core header, the shell's services
           (SHELL_SERVICES) and glue headers of its own folder or of the folders below it that are no
           screens (typing/, keys/); never the shell's own parts, never another screen's folder
           (exam/ and training/ are screens)
  shell    app/: anything
  testing  testing/ headers: only for tests (*_test.cpp, *_fuzz.cpp) and bench/

Names, among the tutor's product files: app/ and the CORE_ORDER folders, less their tests
(*_test.cpp, *_win_test.cpp, *_fuzz.cpp). The glue is the shell (app/) and the features
(*_win.cpp / *_win.h of the CORE_ORDER folders); the rest of those folders is the core.
  A file defines a name when it has, at namespace scope, neither static nor in an anonymous
  namespace, a function with its body or the definition of a variable or constant (extern without
  an initialiser is only a declaration). A file uses a name when the identifier appears in its code
  (not in a comment or a literal; not a member after ".", "->" or "Class::"; not the declarator of
  one of its own namespace-scope declarations), the file neither defines it nor has one of its own
  (static, anonymous namespace), and another file defines it.
  tables    a file of app/ uses a name defined in a feature only if it is one of TABLE_FILES
            (the shell calls a feature only through its tables)
  services  a feature uses a name defined in app/ only if a header of SHELL_SERVICES declares it
            (a feature uses the shell only through its services)
  core      a core file uses no name defined in the glue (the core uses no glue name)
  cycles    the glue files' uses of each other form no cycle (no cycle between the glue files);
            each set of glue files that all reach each other is reported once, as the shortest
            cycle through the first of them

Prints each violation on a line, "file: includes header (rule)" or "file:line: uses name of file
(rule)", a cycle as its uses joined by "; ", then their count, and exits 1 when there is one.
"""
import os
import re
import sys

CORE_ORDER = ["common", "settings", "typing", "keys", "course", "training", "exam"]
SCREEN_FOLDERS = {"exam", "training"}
SHELL_SERVICES = {
    "app/app.h", "app/screen.h", "app/strings_win.h", "app/wide_text.h", "app/toolbar_win.h",
    "app/write_failure_win.h", "app/list_sort.h", "app/on_demand.h", "common/web_addresses.h", "app/dpi.h",
}
# The shell's files that name the features' screens and commands: the only ones of app/ that use
# a feature's names.
TABLE_FILES = {"app/screens_win.cpp", "app/command_table_win.cpp"}
SCANNED = CORE_ORDER + ["app", "bench", "testing", "resources", "setup"]
INCLUDE = re.compile(r'^\s*#\s*include\s*[<"]([^>"]+)[>"]', re.M)


def is_test(path):
    name = os.path.basename(path)
    return name.endswith("_test.cpp") or name.endswith("_fuzz.cpp") or path.startswith("bench/")


def is_glue(path):
    name = os.path.basename(path)
    return "_win." in name or "_win_test." in name or name.endswith("_win32.cpp")


def violations_of(path, includes):
    """The rules `path` (relative, with forward slashes) breaks with `includes`."""
    found = []
    folder = path.split("/", 1)[0]
    test = is_test(path)
    for header in includes:
        target = header.split("/", 1)[0] if "/" in header else None

        def bad(rule):
            found.append("%s: includes %s (%s)" % (path, header, rule))

        if target == "testing" and not test and folder != "testing":
            bad("test support is for tests and benchmarks only")
        if folder in CORE_ORDER and not is_glue(path):
            if header == "windows.h" or header.startswith("windows"):
                bad("the core is window-free")
            elif target == "app" or (target and "_win." in header):
                bad("the core includes no glue")
            elif target in CORE_ORDER and CORE_ORDER.index(target) > CORE_ORDER.index(folder) and not test:
                bad("a core folder includes only folders below it")
        elif folder in CORE_ORDER and is_glue(path) and not test:
            if target == "app" and header not in SHELL_SERVICES:
                bad("a feature uses the shell only through its services")
            elif folder == "typing" and target in SCREEN_FOLDERS and "_win." in header:
                bad("the typing area sits below the screens")
            elif target in CORE_ORDER and "_win." in header and target != folder:
                if target in SCREEN_FOLDERS:
                    bad("a screen never includes another screen's glue")
                elif CORE_ORDER.index(target) > CORE_ORDER.index(folder):
                    bad("a feature includes no glue above it")
    return found


# The names are read from the tokens alone, without a compiler: the statements at namespace scope
# are all the definitions need, and a function's body or a braced initialiser is one group there.
LEXEME = re.compile(r"""
    (?P<newline>\n)
  | (?P<space>[ \t\r\f\v]+|\\\n)
  | (?P<comment>//(?:[^\n\\]|\\.)*|/\*.*?(?:\*/|\Z))
  | (?P<literal>(?:u8|[uUL])?R"(?P<delim>[^()\\\s]{0,16})\(.*?\)(?P=delim)"
               |(?:u8|[uUL])?(?:"(?:[^"\\\n]|\\.)*"|'(?:[^'\\\n]|\\.)*'))
  | (?P<number>\.?\d(?:[eEpP][+-]|['\w.])*)
  | (?P<name>[A-Za-z_]\w*)
  | (?P<punct>::|->|[=!<>]=|.)
""", re.X | re.S)
KEYWORDS = set("""
    alignas alignof asm auto bool break case catch char char8_t char16_t char32_t class const consteval
    constexpr constinit const_cast continue decltype default delete do double dynamic_cast else enum
    explicit export extern false float for friend goto if inline int long mutable namespace new noexcept
    nullptr operator private protected public register reinterpret_cast return short signed sizeof
    static static_assert static_cast struct switch template this thread_local throw true try typedef
    typeid typename union unsigned using virtual void volatile wchar_t while __declspec __attribute__
""".split())
CLASS_KEYS = {"class", "struct", "union", "enum", "typename"}
NOT_DECLARATIONS = {"using", "typedef", "static_assert", "friend", "namespace"}
GROUP = ("group", "{}", 0, -1)  # a braced initialiser or class body inside a statement


def lex(text):
    """The tokens of a source as (kind, text, line, index), and those of them that are code (not in
    a preprocessor directive); comments are dropped, a literal is '""'."""
    tokens, code, line = [], [], 1
    directive, line_start = False, True
    for match in LEXEME.finditer(text):
        kind, lexeme = match.lastgroup, match.group()
        if kind == "newline":
            line, directive, line_start = line + 1, False, True
            continue
        if kind not in ("space", "comment"):
            directive = directive or line_start and lexeme == "#"
            line_start = False
            token = (kind, '""' if kind == "literal" else lexeme, line, len(tokens))
            tokens.append(token)
            if not directive:
                code.append(token)
        line += lexeme.count("\n")
    return tokens, code


def after_group(texts, j, opening, closing):
    """The index after the group that opens at texts[j]."""
    depth = 0
    for k in range(j, len(texts)):
        depth += (texts[k] == opening) - (texts[k] == closing)
        if depth == 0:
            return k + 1
    return len(texts)


def top_level(words):
    """The words outside parentheses and brackets, with each opening one; not an operator's sign."""
    top, depth = set(), 0
    for k, x in enumerate(words):
        if depth == 0 and words[k - 1:k] != ["operator"]:
            top.add(x)
        depth += (x in ("(", "[")) - (x in (")", "]"))
    return top


def statements(code):
    """Yields (head, has_body, internal) for each statement at namespace scope: head its tokens up to
    its ';' or its function body (a braced group inside it as one GROUP), internal in an anonymous
    namespace."""
    texts = [t[1] for t in code]
    anonymous, head, k = [], [], 0
    while k < len(code):
        text = texts[k]
        if text == "{":
            words = [t[1] for t in head]
            top = top_level(words)
            if "namespace" in words or words == ["extern", '""']:
                anonymous.append(words[-1] == "namespace")
                head, k = [], k + 1
                continue
            if "(" in top and "=" not in top:
                yield head, True, any(anonymous)
                head = []
            elif head:
                head.append(GROUP)
            k = after_group(texts, k, "{", "}")
            continue
        if text == "}":
            anonymous[-1:] = []
            head = []
        elif text == ";":
            yield head, False, any(anonymous)
            head = []
        else:
            head.append(code[k])
        k += 1


def split_declarators(head):
    """The declarators of a statement, split at its top-level commas (not those of template
    arguments before an initialiser)."""
    parts, part, depth, angle, init = [], [], 0, 0, False
    for t in head:
        x = t[1]
        if x in ("(", "[", "{"):
            depth += 1
        elif x in (")", "]", "}"):
            depth -= 1
        elif depth == 0 and not init and x == "<" and part and part[-1][0] == "name":
            angle += 1
        elif angle and x == ">":
            angle -= 1
        elif depth == 0 and angle == 0 and x == "=":
            init = True
        elif depth == 0 and angle == 0 and x == ",":
            parts.append(part)
            part, init = [], False
            continue
        part.append(t)
    return parts + [part]


def pointer_declarator(texts, j):
    """The index of the name of "(*name)(...)" or "(*name)[...]" (a pointer to a function or to an
    array) when that opens at texts[j], else None."""
    close = after_group(texts, j, "(", ")") - 1
    inner = texts[j + 1:close]
    return close - 1 if texts[close + 1] in ("(", "[") and ("*" in inner or "&" in inner) else None


def declarator_name(part):
    """(token, follower) of the name a declarator declares, follower "(" for a function, or None."""
    texts = [t[1] for t in part] + [""]
    depth, j = 0, 0
    while j < len(part):
        x = texts[j]
        if depth == 0 and x == "=":
            return None
        if depth == 0 and x in ("class", "struct", "union", "enum"):
            j = texts.index("{}", j) + 1 if "{}" in texts[j:] else j + 2  # past the type's body or name
            continue
        if x == "<" and j and part[j - 1][0] == "name":
            j = after_group(texts, j, "<", ">")
            continue
        if depth == 0 and x == "(":
            name = pointer_declarator(texts, j)
            if name is not None and part[name][0] == "name":
                return part[name], "*"
        if x in ("(", "["):
            depth += 1
        elif x in (")", "]"):
            depth -= 1
        elif depth == 0 and part[j][0] == "name" and x not in KEYWORDS and texts[j - 1] not in CLASS_KEYS:
            follower = j + 1
            if texts[follower] == "<":
                follower = after_group(texts, follower, "<", ">")
            pointer = texts[follower] == "(" and pointer_declarator(texts, follower) is not None
            if not pointer and texts[follower] in ("(", "[", "=", "", "{}", ","):
                return part[j], texts[follower]
        j += 1
    return None


def declarations(head, has_body):
    """(token, defines) of each name a namespace-scope statement declares; defines for a function
    with its body or a variable's definition."""
    words = [t[1] for t in head]
    if words[:2] == ["template", "<"]:
        head = head[after_group(words, 1, "<", ">"):]
    elif words[:1] == ["template"]:
        head = head[1:]
    words = [t[1] for t in head]
    if not words or words[0] in NOT_DECLARATIONS:
        return []
    found = []
    for part in [head] if has_body else split_declarators(head):
        token, follower = declarator_name(part) or (None, None)
        if token is None or has_body and follower != "(":
            continue
        if has_body or follower == "(":
            found.append((token, has_body))  # a function's body, or its prototype
        else:
            found.append((token, "extern" not in words or any(t[1] == "=" for t in part)))
    return found


class Names:
    """What one file defines, keeps to itself, declares and uses."""

    def __init__(self, text):
        tokens, code = lex(text)
        self.defines, self.internal, self.declares, own = set(), set(), set(), set()
        for head, has_body, internal in statements(code):
            static = any(t[1] == "static" for t in head)
            for token, defines in declarations(head, has_body):
                own.add(token[3])
                self.declares.add(token[1])
                if internal or static:
                    self.internal.add(token[1])
                elif defines:
                    self.defines.add(token[1])
        self.uses = {}
        for kind, name, line, index in tokens:
            if kind != "name" or index in own or name in self.defines or name in self.internal:
                continue
            before = tokens[index - 1][1] if index else ""
            if before in (".", "->") or before == "::" and index > 1 and tokens[index - 2][0] == "name":
                continue
            self.uses.setdefault(name, line)


def call_layer(path):
    """"shell", "feature" (glue), "core" or None (tests, other programs) for the call rules."""
    folder = path.split("/", 1)[0]
    if is_test(path) or folder not in CORE_ORDER and folder != "app":
        return None
    if folder == "app":
        return "shell"
    return "feature" if "_win." in os.path.basename(path) else "core"


def call_violations(sources):
    """The call rules broken by the product files `sources` ({path: text})."""
    files = {path: Names(text) for path, text in sources.items()}
    definers = {}
    for path in sorted(files):
        for name in files[path].defines:
            definers.setdefault(name, []).append(path)
    services = set().union(*(files[h].declares for h in SHELL_SERVICES if h in files))
    found, edges = [], {}
    for path in sorted(files):
        layer = call_layer(path)
        for name, line in sorted(files[path].uses.items(), key=lambda use: use[1]):
            for definer in definers.get(name, ()):
                target = call_layer(definer)
                if layer == "shell" and target == "feature" and path not in TABLE_FILES:
                    rule = "the shell calls a feature only through its tables"
                elif layer == "feature" and target == "shell" and name not in services:
                    rule = "a feature uses the shell only through its services"
                elif layer == "core" and target != "core":
                    rule = "the core uses no glue name"
                else:
                    rule = None
                if rule:
                    found.append((rule, "%s:%d: uses %s of %s (%s)" % (path, line, name, definer, rule)))
                if layer != "core" and target != "core":
                    edges.setdefault(path, {}).setdefault(definer, (line, name))
    found.sort(key=lambda problem: problem[0])
    return [line for _, line in found] + cycles(edges)


def reach(edges, start):
    """The files reachable from `start`, each with the file it was first reached from."""
    before, queue = {}, [start]
    for path in queue:
        for target in sorted(edges.get(path, ())):
            if target not in before:
                before[target] = path
                queue.append(target)
    return before


def cycles(edges):
    """One shortest cycle through the first file of each set of glue files that reach each other."""
    found, covered = [], set()
    for start in sorted(edges):
        before = {} if start in covered else reach(edges, start)
        if start not in before:
            continue
        covered |= {path for path in before if start in reach(edges, path)}
        steps, path = [], start
        while True:
            user = before[path]
            line, name = edges[user][path]
            steps.append("%s:%d: uses %s of %s" % (user, line, name, path))
            path = user
            if path == start:
                break
        found.append("; ".join(reversed(steps)) + " (no cycle between the glue files)")
    return found


def check(root):
    problems, sources = [], {}
    for top in SCANNED:
        base = os.path.join(root, top)
        for folder, _, files in os.walk(base):
            for name in sorted(files):
                if not name.endswith((".cpp", ".h")):
                    continue
                full = os.path.join(folder, name)
                rel = os.path.relpath(full, root).replace(os.sep, "/")
                with open(full, encoding="utf-8", errors="replace") as f:
                    text = f.read()
                problems += violations_of(rel, INCLUDE.findall(text))
                if call_layer(rel):
                    sources[rel] = text
    return problems + call_violations(sources)


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..")
    problems = check(root)
    for line in problems:
        print(line)
    print("layers: %d violation(s)" % len(problems))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
