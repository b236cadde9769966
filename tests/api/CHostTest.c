/* A host written in C: the C interface and the shared library only, on a
 * database made by `tipolaria db init` and, when given, the demo database
 * made by `tipolaria demo` and a PDF to print its cover to. Prints each
 * failed check and exits non-zero when any failed. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "tipolaria/tipolaria.h"

static int failures = 0;
static int checks = 0;

static void Check(int ok, const char* what) {
  ++checks;
  if (!ok) {
    ++failures;
    fprintf(stderr, "FAILED: %s\n", what);
  }
}

/* Compares a returned text with the expected one and releases it. */
static void CheckText(char* text, const char* expected, const char* what) {
  Check(text != NULL && strcmp(text, expected) == 0, what);
  tipolaria_free(text);
}

/* Every generation counts its pages from the start, without clean_imp
 * between them too: each cover report holds the demo's three pages. */
static void GenerateAgainWithoutCleaning(const char* demo_db, const char* cover) {
  char connection[4096];
  snprintf(connection, sizeof connection, "sqlite:%s", demo_db);
  Check(tipolaria_init(connection) == 0, "init on the demo");
  Check(tipolaria_set_oper_date("05/12/2026") == 0, "operation date");
  tipolaria_set_hoja_desde(0);
  tipolaria_set_hoja_hasta(32767);
  for (int generation = 0; generation < 3; ++generation) {
    CheckText(tipolaria_generate_imp("O'BRIEN", "26001IC04000123A", "", "05/12/2026 10:42:17", 1,
                                     "2", "", "", "", ""),
              "{\"Result\": \"OK\"}", "the demo generated again");
    CheckText(tipolaria_get_caratula_hojas(), "3", "three pages in the cover report every time");
  }
  CheckText(tipolaria_print_pdf_caratula(cover), "{\"Result\": \"OK\"}", "cover printed");
  Check(tipolaria_finalize() == 0, "finalize the demo");
}

int main(int argc, char** argv) {
  if (argc != 2 && argc != 4) return 2;
  char connection[4096];
  snprintf(connection, sizeof connection, "sqlite:%s", argv[1]);

  Check(tipolaria_get_copias() == NULL, "settings need init");
  Check(strcmp(tipolaria_last_error_description(), "Primero debe inicializar la dll") == 0,
        "not-initialised description");
  Check(strcmp(tipolaria_last_error_source(), "GetCopias") == 0, "not-initialised source");

  Check(tipolaria_initialize_pages_data() != 0, "pages data need init");
  char* json = tipolaria_print_pdf_caratula("never.pdf");
  Check(json != NULL && strstr(json, "Primero debe inicializar la dll") != NULL &&
            strstr(json, " - PrintPDFCaratula\"}") != NULL,
        "a print before init returns its failure text");
  tipolaria_free(json);
  tipolaria_free(NULL);
  Check(tipolaria_clean_imp() == 0, "clean_imp before init gives a driver");
  Check(tipolaria_set_copias(4) == 0, "a setting on that driver");
  Check(strcmp(tipolaria_last_error_source(), "") == 0, "success clears the last error");

  Check(tipolaria_init("sqlite:/nonexistent/folder/x.db") != 0, "init of a missing file fails");
  Check(strstr(tipolaria_last_error_source(), " - CDataBase.Connect - Init") != NULL,
        "init failure source");

  Check(tipolaria_init(connection) == 0, "init");
  Check(tipolaria_set_copias(2) == 0, "set copies");
  CheckText(tipolaria_get_copias(), "2", "copies read back");
  Check(tipolaria_set_referencia_cliente(NULL) == 0, "NULL text is empty text");
  CheckText(tipolaria_get_referencia_cliente(), "", "empty reference");
  tipolaria_set_hoja_desde(3);
  CheckText(tipolaria_get_hoja_desde(), "3", "range");
  Check(tipolaria_set_oper_date("31/02/2026") != 0, "impossible operation date refused");

  json = tipolaria_generate_imp("", "NO-SUCH", "", "05/12/2026", 1, "", "", "", "", "");
  Check(json != NULL && strstr(json, "\"Result\": \"ERR\"") != NULL, "unknown declaration");
  tipolaria_free(json);

  Check(tipolaria_clean_imp() == 0, "clean_imp");
  CheckText(tipolaria_get_copias(), "0", "clean_imp resets the copies");
  tipolaria_set_hoja_hasta(-1);
  CheckText(tipolaria_get_hoja_hasta(), "-1", "range stored as given");
  tipolaria_set_logo(NULL);
  Check(tipolaria_initialize_pages_data() == 0, "pages data");
  CheckText(tipolaria_get_copias(), "1", "no copies print as the first");

  Check(tipolaria_set_lock_timeout(-1) != 0, "negative lock time-out refused");
  Check(tipolaria_set_lock_timeout(5) == 0, "lock time-out");
  Check(strncmp(tipolaria_version(), "1.", 2) == 0, "version");

  Check(tipolaria_finalize() == 0, "finalize");
  Check(tipolaria_get_caratula_hojas() == NULL, "finalized");
  if (argc == 4) GenerateAgainWithoutCleaning(argv[2], argv[3]);

  printf("%d passed, %d failed\n", checks - failures, failures);
  return failures == 0 ? 0 : 1;
}
