/* A host written in C: the C interface and the shared library only, on a
 * database made by `tipolaria db init` and, when given, the demo database
 * made by `tipolaria demo` and a folder to print into: the default session
 * (the calls without a handle), then sessions as handles. Prints each
 * failed check and exits non-zero when any failed.
 *   c_host_test DATABASE [DEMO_DATABASE OUTPUT_FOLDER] */
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/file.h>
#include <unistd.h>

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
static void GenerateAgainWithoutCleaning(const char* demo_db, const char* folder) {
  char cover[4096];
  snprintf(cover, sizeof cover, "%s/again.pdf", folder);
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

static int FileExists(const char* path) {
  FILE* file = fopen(path, "rb");
  if (file != NULL) fclose(file);
  return file != NULL;
}

/* The notice of a wait for the print lock: counts the calls, keeps the
 * last message. */
struct Waits {
  int count;
  char message[1024];
};

static void OnWait(const char* message, void* user_data) {
  struct Waits* waits = (struct Waits*)user_data;
  ++waits->count;
  snprintf(waits->message, sizeof waits->message, "%s", message);
}

/* Two sessions side by side: each its own connection, settings, pages and
 * errors, none touching the default session's. */
static void Sessions(const char* connection, const char* database, const char* folder) {
  char path[4096];
  tipolaria_session* a = tipolaria_session_new(connection);
  tipolaria_session* b = tipolaria_session_new("sqlite:/nonexistent/folder/x.db");
  Check(a != NULL && tipolaria_session_error_number(a) == 0, "a session connects");
  Check(b != NULL && tipolaria_session_error_number(b) != 0,
        "a session that cannot connect comes with its error");
  Check(strstr(tipolaria_session_error_source(b), " - CDataBase.Connect - Init") != NULL,
        "that error's source");
  Check(strcmp(tipolaria_last_error_source(), "GetCopias") == 0,
        "the default session keeps its own error");
  Check(tipolaria_session_get_copias(b) == NULL, "settings need a driver in a session too");
  Check(strcmp(tipolaria_session_error_description(b), "Primero debe inicializar la dll") == 0,
        "not initialised, in b");
  Check(tipolaria_session_error_number(a) == 0, "b's error is not a's");
  Check(tipolaria_session_init(b, connection) == 0, "b connects on a second try");
  Check(tipolaria_session_error_number(b) == 0, "success clears b's error");

  Check(tipolaria_session_set_copias(a, 3) == 0, "copies of a");
  CheckText(tipolaria_session_get_copias(b), "0", "b's copies are b's own");
  tipolaria_session_set_hoja_hasta(a, 32767);
  CheckText(tipolaria_session_get_hoja_hasta(b), "0", "b's range is b's own");
  Check(tipolaria_session_set_oper_date(a, "05/12/2026") == 0, "operation date of a");
  char* json = tipolaria_session_generate_imp(a, "O'BRIEN, JUAN PATRICIO", "26001IC04000123A", "",
                                              "05/12/2026 10:42:17", 1, "R", "", "", "", "");
  CheckText(json, "{\"Result\": \"OK\"}", "a generates the demo declaration");
  int32_t caratula = -1;
  int32_t total = -1;
  Check(tipolaria_session_get_pages(a, &caratula, &total) == 0 && caratula == 3 && total == 11,
        "a's pages: 3 of the cover report, 11 in all");
  Check(tipolaria_session_get_pages(b, &caratula, NULL) == 0 && caratula == 0,
        "b generated nothing");
  snprintf(path, sizeof path, "%s/pictures", folder);
  tipolaria_session_set_picture_folder(a, path);
  snprintf(path, sizeof path, "%s/cover.pdf", folder);
  CheckText(tipolaria_session_print_pdf_caratula(a, path), "{\"Result\": \"OK\"}", "a's cover");
  Check(FileExists(path), "the cover is written");
  snprintf(path, sizeof path, "%s/pictures/cover-003.png", folder);
  Check(FileExists(path), "with a picture of each page");
  snprintf(path, sizeof path, "%s/continuation.pdf", folder);
  CheckText(tipolaria_session_print_pdf_sub_items(a, path), "{\"Result\": \"OK\"}",
            "a's continuation pages");

  /* Another program holds the print lock: b waits, says so, and gives up. */
  struct Waits waits = {0, ""};
  snprintf(path, sizeof path, "%s.print-lock", database);
  const int holder = open(path, O_RDWR | O_CREAT, 0666);
  Check(holder >= 0 && flock(holder, LOCK_EX) == 0, "the lock held from outside");
  tipolaria_session_set_lock_wait_notice(b, OnWait, &waits);
  Check(tipolaria_session_set_lock_timeout(b, 1) == 0, "b waits one second");
  json = tipolaria_session_generate_imp(b, "", "26001IC04000123A", "", "", 1, "", "", "", "", "");
  Check(
      json != NULL && strstr(json, "\"Result\": \"ERR\"") != NULL && strstr(json, database) != NULL,
      "b gives up naming the database");
  tipolaria_free(json);
  Check(waits.count == 1 && strstr(waits.message, "Waiting up to 1 second") != NULL,
        "b's notice is told of the wait");
  if (holder >= 0) close(holder);

  Check(tipolaria_session_set_copias(NULL, 1) == 5, "a NULL handle does nothing");
  Check(tipolaria_session_generate_imp(NULL, "", "", "", "", 0, "", "", "", "", "") == NULL,
        "nor generates");
  tipolaria_session_free(a);
  tipolaria_session_free(b);
  tipolaria_session_free(NULL);
  Check(strcmp(tipolaria_last_error_source(), "GetCopias") == 0,
        "the default session's error outlives the sessions");
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
  if (argc == 4) {
    GenerateAgainWithoutCleaning(argv[2], argv[3]);
    Check(tipolaria_get_copias() == NULL, "finalized again");
    snprintf(connection, sizeof connection, "sqlite:%s", argv[2]);
    Sessions(connection, argv[2], argv[3]);
  }

  printf("%d passed, %d failed\n", checks - failures, failures);
  return failures == 0 ? 0 : 1;
}
