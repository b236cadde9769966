#!/usr/bin/env python3
"""Generates declarations and prints their two documents from Python, through
the C interface of libtipolaria with ctypes:

    python3 print_declaration.py DATABASE IDDTEXT OUTPUT_FOLDER [IDDTEXT OUTPUT_FOLDER]...

Each declaration is printed in a session of its own, on a thread of its own:
the sessions print side by side (ctypes lets go of Python's lock while the
library works), their generations on the one database taking turns. Each
JSON result is printed on a line, prefixed with the declaration when there
are several.

The library is found as libtipolaria.so.1 (set LD_LIBRARY_PATH when it is not
installed in a system folder)."""
import ctypes
import json
import sys
import threading

lib = ctypes.CDLL("libtipolaria.so.1")
session_p = ctypes.c_void_p
text = ctypes.c_char_p
lib.tipolaria_session_new.argtypes = [text]
lib.tipolaria_session_new.restype = session_p
lib.tipolaria_session_free.argtypes = [session_p]
lib.tipolaria_session_error_number.argtypes = [session_p]
lib.tipolaria_session_error_number.restype = ctypes.c_long
for name in ("tipolaria_session_error_source", "tipolaria_session_error_description"):
    getattr(lib, name).argtypes = [session_p]
    getattr(lib, name).restype = text
lib.tipolaria_session_set_oper_date.argtypes = [session_p, text]
lib.tipolaria_session_set_oper_date.restype = ctypes.c_long
lib.tipolaria_session_set_hoja_hasta.argtypes = [session_p, ctypes.c_int16]
# Texts the library returns as char* belong to the caller: keep the pointer,
# copy the text, release the pointer.
lib.tipolaria_session_generate_imp.argtypes = (
    [session_p] + [text] * 4 + [ctypes.c_int16] + [text] * 5)
for name in ("tipolaria_session_generate_imp", "tipolaria_session_print_pdf_caratula",
             "tipolaria_session_print_pdf_sub_items"):
    getattr(lib, name).restype = ctypes.c_void_p
lib.tipolaria_session_print_pdf_caratula.argtypes = [session_p, text]
lib.tipolaria_session_print_pdf_sub_items.argtypes = [session_p, text]
lib.tipolaria_free.argtypes = [ctypes.c_void_p]

output = threading.Lock()


def say(prefix, line):
    with output:
        print(prefix + line, flush=True)


def result_of(pointer, prefix):
    result = ctypes.string_at(pointer).decode("utf-8")
    lib.tipolaria_free(pointer)
    say(prefix, result)
    return json.loads(result)["Result"] == "OK"


def print_declaration(database, iddtext, folder, prefix, outcome):
    """One session: connect, generate, print both documents, release."""
    session = lib.tipolaria_session_new(("sqlite:" + database).encode())
    try:
        if lib.tipolaria_session_error_number(session) != 0:
            say(prefix, "%s: %s" % (lib.tipolaria_session_error_source(session).decode(),
                                    lib.tipolaria_session_error_description(session).decode()))
            return
        lib.tipolaria_session_set_oper_date(session, b"05/12/2026")
        lib.tipolaria_session_set_hoja_hasta(session, 32767)
        ok = result_of(lib.tipolaria_session_generate_imp(
            session, "O'BRIEN, JUAN PATRICIO".encode(), iddtext.encode(), b"",
            b"05/12/2026 10:42:17", 1, b"R", b"", b"", b"", b""), prefix)
        ok &= result_of(lib.tipolaria_session_print_pdf_caratula(
            session, (folder + "/cover.pdf").encode()), prefix)
        ok &= result_of(lib.tipolaria_session_print_pdf_sub_items(
            session, (folder + "/continuation.pdf").encode()), prefix)
        outcome.append(ok)
    finally:
        lib.tipolaria_session_free(session)


def main(database, *pairs):
    jobs = list(zip(pairs[0::2], pairs[1::2]))
    outcome = []
    threads = [threading.Thread(target=print_declaration,
                                args=(database, iddtext, folder,
                                      "%s: " % iddtext if len(jobs) > 1 else "", outcome))
               for iddtext, folder in jobs]
    for thread in threads:
        thread.start()
    for thread in threads:
        thread.join()
    return 0 if len(outcome) == len(jobs) and all(outcome) else 1


if __name__ == "__main__":
    if len(sys.argv) < 4 or len(sys.argv) % 2 != 0:
        print(__doc__, file=sys.stderr)
        sys.exit(2)
    sys.exit(main(*sys.argv[1:]))
