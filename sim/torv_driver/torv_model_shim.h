/* The bridge model as the C driver sees it: an opaque block of memory and plain functions. */
#ifndef TORV_MODEL_SHIM_H
#define TORV_MODEL_SHIM_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

size_t TorvModelSize(void);
void TorvModelInit(void* model);
int TorvModelHandle(void* model, unsigned int code, const unsigned char* in, size_t inSize,
                    unsigned char* out, size_t outSize, size_t* returned);
void TorvModelSetEeprom(void* model, const unsigned char* bytes);
void TorvModelGetEeprom(const void* model, unsigned char* bytes);
void TorvModelSetBusyReads(void* model, unsigned int reads);
int TorvModelSetFault(void* model, unsigned int call, unsigned int okCalls);
void TorvModelCounts(const void* model, unsigned int counts[4]);

#ifdef __cplusplus
}
#endif

#endif
