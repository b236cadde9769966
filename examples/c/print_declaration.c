/* Generates one declaration and prints its two documents, through the C
 * interface, in a session of its own:
 *   cc print_declaration.c $(pkg-config --cflags --libs tipolaria)
 *   ./a.out DATABASE IDDTEXT OUTPUT_FOLDER */
#include <stdio.h>
#include <string.h>

#include "tipolaria/tipolaria.h"

static int Report(char* result) {
  int ok = result != NULL && strcmp(result, "{\"Result\": \"OK\"}") == 0;
  printf("%s\n", result != NULL ? result : "(no result)");
  tipolaria_free(result);
  return ok;
}

int main(int argc, char** argv) {
  char connection[4096];
  char path[4096];
  int ok = 1;
  if (argc != 4) {
    fprintf(stderr, "usage: print_declaration DATABASE IDDTEXT OUTPUT_FOLDER\n");
    return 2;
  }
  snprintf(connection, sizeof connection, "sqlite:%s", argv[1]);
  tipolaria_session* session = tipolaria_session_new(connection);
  if (session == NULL) return 1;
  if (tipolaria_session_error_number(session) != 0) {
    fprintf(stderr, "%s: %s\n", tipolaria_session_error_source(session),
            tipolaria_session_error_description(session));
    tipolaria_session_free(session);
    return 1;
  }
  tipolaria_session_set_oper_date(session, "05/12/2026");
  tipolaria_session_set_hoja_hasta(session, 32767);
  ok &= Report(tipolaria_session_generate_imp(session, "O'BRIEN, JUAN PATRICIO", argv[2], "",
                                              "05/12/2026 10:42:17", 1, "R", "", "", "", ""));
  snprintf(path, sizeof path, "%s/cover.pdf", argv[3]);
  ok &= Report(tipolaria_session_print_pdf_caratula(session, path));
  snprintf(path, sizeof path, "%s/continuation.pdf", argv[3]);
  ok &= Report(tipolaria_session_print_pdf_sub_items(session, path));
  tipolaria_session_free(session);
  return ok ? 0 : 1;
}
