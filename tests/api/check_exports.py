#!/usr/bin/env python3
"""Checks the dynamic symbol tables of the koracore shared libraries.

Each library must export its public API and nothing else: no instantiations
of standard-library templates (they would let other objects bind to our
copies), and only the flat C names and C++ classes that belong to it. The
rules are name patterns, not a frozen list, so adding a dfs* function needs
no change here, but a helper that escapes its hidden visibility does.

usage: check_exports.py <name>=<path-to-.so> ...
"""
import re
import subprocess
import sys

# Flat C names each library may export.
C_NAMES = {
    # The pieces of base/ every library shares: the diagnostics sink, the
    # release, the data search.
    "rcf": r"koraSetDiagnosticSink|koraDiagnostic|koraVersion|koraFindDataFile|koraDataSearchList",
    "qty": r"qty\w+|LoadUnitBaseGroupFile|_fullpath|_splitpath|_makepath",
    "kfs": (
        r"kfs\w+|dfs\w+|_dfs\w+|xfs\w+|dtx\w+|F[A-Z]\w+|Debug\w+|PutFunctionName|GetFunctionName"
        r"|printnblank|InitItemStats|PathIsDirectory"
        r"|kvExpandedFileName|mkpath|KvCreateFolder|KvProject_\w+|KvShortCut_\w+"
        r"|j_day|j_date|j_sec|date\w*|dat4cmp|dates_\w+"
        r"|CATrea|CATwri|cat_tell|newcat|frecat|TX\w+|OXA\w+|ctxswap|decswp|make_stat|update_stat"
        r"|allspace|fst_nspc|lst_nspc|rem_spc|strip|l_just|r_just|chrdel|chrins|strwash|vlccpy"
        r"|_strlwr|_strupr|_strrev|strdup_NOT_USED|isint|isfloat|issign|strfmt|strflt|strfmb"
        r"|strbol|m_stri|m_strr|m_strr_e|m_vali|m_valr|nicefm|array_cmprss"
    ),
    "KvCart": r"C_KV\w+|S_\w+|CARTSETUPLINUX|NewKvProjection|DeleteKvProjection",
}

# C++ entities (demangled, up to the parameter list) each library may export.
CXX_NAMES = {
    "rcf": r"(CString::|RcfName::|rcf\w+|operator\W+$|(vtable|typeinfo|typeinfo name) for CString$)",
    "qty": r"$^",
    "kfs": r"$^",
    # Vtables and type information also of nested classes and of class
    # templates instantiated over our classes (CKvProjectionInfo::CAxis,
    # CKvFormulaPair<...>).
    "KvCart": (
        r"(CKv\w+::|CKV\w+::|CMatrix::|operator\W+$"
        r"|(vtable|typeinfo|typeinfo name) for (CKv|CKV|CMatrix)[\w:<>, ]*$)"
    ),
}


def exported(path):
    out = subprocess.run(["nm", "-D", "--defined-only", path], check=True,
                         capture_output=True, text=True).stdout
    names = [line.split()[-1] for line in out.splitlines() if line.strip()]
    demangled = subprocess.run(["c++filt"], input="\n".join(names), check=True,
                               capture_output=True, text=True).stdout.splitlines()
    return list(zip(names, demangled))


def main(argv):
    failures = []
    for arg in argv:
        lib, path = arg.split("=", 1)
        c_rule = re.compile(C_NAMES[lib])
        cxx_rule = re.compile(CXX_NAMES[lib])
        for raw, name in exported(path):
            if raw.startswith("_Z"):
                head = name.split("(", 1)[0]
                if "std::" in head.split("<", 1)[0] or not cxx_rule.match(head):
                    failures.append(f"{lib}: C++ symbol not part of the API: {name}")
            elif not c_rule.fullmatch(raw):
                failures.append(f"{lib}: C symbol not part of the API: {raw}")
    for f in failures:
        print(f)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
