/* The C interface of libdocsmith.so, the PDF helper library beside the
 * executable. Paths are UTF-8; the texts of the information record are CP932.
 * No function throws or ends the process; a null handle is accepted
 * everywhere and makes the operation fail. */
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

/** Opaque handle of an opened PDF document. */
typedef void* DocsmithHandle;

/** The document information written by WritePDFInfo: eight CP932 strings in
 *  this order; a null or empty string leaves its entry out. */
typedef struct DocsmithInfo {
  const char* title;
  const char* subject; /**< the source address */
  const char* author;
  const char* keywords;
  const char* creator;
  const char* producer;
  const char* creationDate; /**< local time, "%Y.%m.%d %H:%M:%S" */
  const char* modDate;      /**< local time, "%Y.%m.%d %H:%M:%S" */
} DocsmithInfo;

/** Opens the PDF at `path`; null when it cannot be read as a PDF. */
typedef DocsmithHandle (*DocsmithLoadPdfFn)(const char* path);
/** Releases a handle of LoadPDF (null is ignored). */
typedef void (*DocsmithFreePdfFn)(DocsmithHandle handle);
/** Writes the pages of `first` followed by those of `second` to `outPath`;
 *  1 on success, 0 on failure (then `outPath` is left as it was). */
typedef int (*DocsmithCombinePdfFn)(DocsmithHandle first, DocsmithHandle second, const char* outPath);
/** Writes the document of `handle` with `info` as its document information
 *  to `outPath`; 1 on success, 0 on failure (then `outPath` is left as it was). */
typedef int (*DocsmithWritePdfInfoFn)(DocsmithHandle handle, const DocsmithInfo* info, const char* outPath);

/** Writes the pages of the `count` PDF files at `paths`, in order, to
 *  `outPath` in one pass, with `info` as its document information (null: none);
 *  1 on success, 0 on failure (then `outPath` is left as it was). */
typedef int (*DocsmithCombinePdfListFn)(const char* const* paths, int count, const DocsmithInfo* info,
                                        const char* outPath);

#ifdef __cplusplus
}
#endif
