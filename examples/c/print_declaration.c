/* Generates one declaration and prints its two documents, through the C
 * interface:
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
  if (tipolaria_init(connection) != 0) {
    fprintf(stderr, "%s: %s\n", tipolaria_last_error_source(), tipolaria_last_error_description());
    return 1;
  }
  tipolaria_set_oper_date("05/12/2026");
  tipolaria_set_hoja_hasta(32767);
  ok &= Report(tipolaria_generate_imp("O'BRIEN, JUAN PATRICIO", argv[2], "", "05/12/2026 10:42:17",
                                      1, "R", "", "", "", ""));
  snprintf(path, sizeof path, "%s/cover.pdf", argv[3]);
  ok &= Report(tipolaria_print_pdf_caratula(path));
  snprintf(path, sizeof path, "%s/continuation.pdf", argv[3]);
  ok &= Report(tipolaria_print_pdf_sub_items(path));
  tipolaria_finalize();
  return ok ? 0 : 1;
}
