/* Loads RTF documents into a RichEdit control (riched20, the reader behind
 * WordPad and many Windows programs) and writes the plain text it shows,
 * as UTF-8, beside each document (FILE.rtf -> FILE.richedit.txt).
 *
 *     richedit.exe FILE.rtf...
 *
 * Exits 1 when a document cannot be read or the control refuses it. */
#include <windows.h>
#include <richedit.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

struct source {
    const char* data;
    size_t size;
    size_t at;
};

static DWORD CALLBACK feed(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given) {
    struct source* s = (struct source*)cookie;
    size_t left = s->size - s->at;
    size_t n = left < (size_t)wanted ? left : (size_t)wanted;
    memcpy(buffer, s->data + s->at, n);
    s->at += n;
    *given = (LONG)n;
    return 0;
}

static char* readAll(const char* path, size_t* size) {
    FILE* f = fopen(path, "rb");
    if (!f) return NULL;
    fseek(f, 0, SEEK_END);
    long n = ftell(f);
    fseek(f, 0, SEEK_SET);
    char* data = malloc((size_t)n + 1);
    if (data && fread(data, 1, (size_t)n, f) != (size_t)n) {
        free(data);
        data = NULL;
    }
    fclose(f);
    *size = (size_t)n;
    return data;
}

static int convert(HWND edit, const char* path) {
    size_t size;
    char* data = readAll(path, &size);
    if (!data) {
        fprintf(stderr, "richedit: cannot read %s\n", path);
        return 0;
    }
    struct source s = {data, size, 0};
    EDITSTREAM stream = {(DWORD_PTR)&s, 0, feed};
    SendMessageW(edit, WM_SETTEXT, 0, (LPARAM)L"");
    LRESULT read = SendMessageW(edit, EM_STREAMIN, SF_RTF, (LPARAM)&stream);
    free(data);
    if (stream.dwError != 0 || read <= 0) {
        fprintf(stderr, "richedit: %s was refused (error %lu)\n", path, (unsigned long)stream.dwError);
        return 0;
    }

    GETTEXTLENGTHEX lengthOf = {GTL_NUMCHARS | GTL_PRECISE, 1200};
    LRESULT length = SendMessageW(edit, EM_GETTEXTLENGTHEX, (WPARAM)&lengthOf, 0);
    WCHAR* text = calloc((size_t)length + 1, sizeof(WCHAR));
    GETTEXTEX get = {(DWORD)((length + 1) * sizeof(WCHAR)), GT_DEFAULT, 1200, NULL, NULL};
    LRESULT got = SendMessageW(edit, EM_GETTEXTEX, (WPARAM)&get, (LPARAM)text);
    int bytes = WideCharToMultiByte(CP_UTF8, 0, text, (int)got, NULL, 0, NULL, NULL);
    char* utf8 = malloc((size_t)bytes + 1);
    WideCharToMultiByte(CP_UTF8, 0, text, (int)got, utf8, bytes, NULL, NULL);
    free(text);

    char out[MAX_PATH + 32];
    size_t stem = strlen(path);
    if (stem > 4 && _stricmp(path + stem - 4, ".rtf") == 0) stem -= 4;
    snprintf(out, sizeof out, "%.*s.richedit.txt", (int)stem, path);
    FILE* f = fopen(out, "wb");
    int ok = f && fwrite(utf8, 1, (size_t)bytes, f) == (size_t)bytes;
    if (f) fclose(f);
    free(utf8);
    if (!ok) fprintf(stderr, "richedit: cannot write %s\n", out);
    return ok;
}

int main(int argc, char** argv) {
    if (!LoadLibraryW(L"riched20.dll")) {
        fprintf(stderr, "richedit: riched20.dll is missing\n");
        return 1;
    }
    HWND edit = CreateWindowExW(0, RICHEDIT_CLASSW, L"", ES_MULTILINE | WS_POPUP, 0, 0, 800, 600, NULL, NULL,
                                GetModuleHandleW(NULL), NULL);
    if (!edit) {
        fprintf(stderr, "richedit: no RichEdit control (error %lu)\n", (unsigned long)GetLastError());
        return 1;
    }
    SendMessageW(edit, EM_EXLIMITTEXT, 0, 0x7FFFFFFF);
    int failures = 0;
    for (int i = 1; i < argc; ++i) failures += !convert(edit, argv[i]);
    DestroyWindow(edit);
    return failures ? 1 : 0;
}
