#!/usr/bin/env python3
"""Generates one declaration and prints its two documents from Python, through
the C interface of libtipolaria with ctypes:

    python3 print_declaration.py DATABASE IDDTEXT OUTPUT_FOLDER

The library is found as libtipolaria.so.1 (set LD_LIBRARY_PATH when it is not
installed in a system folder)."""
import ctypes
import json
import sys

lib = ctypes.CDLL("libtipolaria.so.1")
lib.tipolaria_init.argtypes = [ctypes.c_char_p]
lib.tipolaria_init.restype = ctypes.c_long
lib.tipolaria_set_oper_date.argtypes = [ctypes.c_char_p]
lib.tipolaria_set_hoja_hasta.argtypes = [ctypes.c_int16]
lib.tipolaria_last_error_source.restype = ctypes.c_char_p
lib.tipolaria_last_error_description.restype = ctypes.c_char_p
# Texts the library returns belong to the caller: keep the pointer, copy the
# text, release the pointer.
lib.tipolaria_generate_imp.argtypes = [ctypes.c_char_p] * 4 + [ctypes.c_int16] + [ctypes.c_char_p] * 5
for name in ("tipolaria_generate_imp", "tipolaria_print_pdf_caratula",
             "tipolaria_print_pdf_sub_items"):
    getattr(lib, name).restype = ctypes.c_void_p
lib.tipolaria_print_pdf_caratula.argtypes = [ctypes.c_char_p]
lib.tipolaria_print_pdf_sub_items.argtypes = [ctypes.c_char_p]
lib.tipolaria_free.argtypes = [ctypes.c_void_p]


def result_of(pointer):
    text = ctypes.string_at(pointer).decode("utf-8")
    lib.tipolaria_free(pointer)
    print(text)
    return json.loads(text)["Result"] == "OK"


def main(database, iddtext, folder):
    if lib.tipolaria_init(("sqlite:" + database).encode()) != 0:
        print(lib.tipolaria_last_error_source().decode(), ":",
              lib.tipolaria_last_error_description().decode(), file=sys.stderr)
        return 1
    lib.tipolaria_set_oper_date(b"05/12/2026")
    lib.tipolaria_set_hoja_hasta(32767)
    ok = result_of(lib.tipolaria_generate_imp(
        "O'BRIEN, JUAN PATRICIO".encode(), iddtext.encode(), b"", b"05/12/2026 10:42:17", 1,
        b"R", b"", b"", b"", b""))
    ok &= result_of(lib.tipolaria_print_pdf_caratula((folder + "/cover.pdf").encode()))
    ok &= result_of(lib.tipolaria_print_pdf_sub_items((folder + "/continuation.pdf").encode()))
    lib.tipolaria_finalize()
    return 0 if ok else 1


if __name__ == "__main__":
    if len(sys.argv) != 4:
        print(__doc__, file=sys.stderr)
        sys.exit(2)
    sys.exit(main(*sys.argv[1:]))
