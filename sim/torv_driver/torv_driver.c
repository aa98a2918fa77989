/* The simulated Torv bridge driver: creates "\\.\TORVDEV01" and serves the bridge's three
   control codes from the bridge model, so the real tool runs its real device path. A second
   device, "\\.\TORVSIMCTL", is the tests' handle on the model. */
#include <ntddk.h>

#include "sim/torv_driver/torv_model_shim.h"
#include "sim/torv_driver/torv_sim_control.h"

#define TORV_EEPROM_SIZE 256

/* Big enough for the model; checked at load. */
#define TORV_MODEL_STORAGE 512

static PDEVICE_OBJECT bridgeDevice;
static PDEVICE_OBJECT controlDevice;
static int bridgePresent;
/* Aligned for the model's members. */
static union {
  unsigned long long align;
  void* pointer;
  unsigned char bytes[TORV_MODEL_STORAGE];
} modelMemory;
#define modelStorage (modelMemory.bytes)

static UNICODE_STRING BridgeLinkName(void) {
  UNICODE_STRING name;
  RtlInitUnicodeString(&name, L"\\DosDevices\\TORVDEV01");
  return name;
}

static NTSTATUS SetBridgePresent(int present) {
  UNICODE_STRING link = BridgeLinkName();
  NTSTATUS status = STATUS_SUCCESS;
  if (present && !bridgePresent) {
    UNICODE_STRING device;
    RtlInitUnicodeString(&device, L"\\Device\\TORVDEV01");
    status = IoCreateSymbolicLink(&link, &device);
  } else if (!present && bridgePresent) {
    status = IoDeleteSymbolicLink(&link);
  }
  if (NT_SUCCESS(status)) {
    bridgePresent = present;
  }
  return status;
}

static unsigned int ReadU32(const unsigned char* bytes) {
  return (unsigned int)bytes[0] | ((unsigned int)bytes[1] << 8) | ((unsigned int)bytes[2] << 16) |
         ((unsigned int)bytes[3] << 24);
}

static void WriteU32(unsigned char* bytes, unsigned int value) {
  bytes[0] = (unsigned char)value;
  bytes[1] = (unsigned char)(value >> 8);
  bytes[2] = (unsigned char)(value >> 16);
  bytes[3] = (unsigned char)(value >> 24);
}

static NTSTATUS ServeControl(unsigned int code, unsigned char* buffer, size_t inSize,
                             size_t outSize, ULONG_PTR* information) {
  switch (code) {
    case TORV_SIM_RESET:
      TorvModelInit(modelStorage);
      return SetBridgePresent(1);
    case TORV_SIM_SET_EEPROM:
      if (inSize != TORV_EEPROM_SIZE) {
        return STATUS_INVALID_PARAMETER;
      }
      TorvModelSetEeprom(modelStorage, buffer);
      return STATUS_SUCCESS;
    case TORV_SIM_GET_EEPROM:
      if (outSize < TORV_EEPROM_SIZE) {
        return STATUS_BUFFER_TOO_SMALL;
      }
      TorvModelGetEeprom(modelStorage, buffer);
      *information = TORV_EEPROM_SIZE;
      return STATUS_SUCCESS;
    case TORV_SIM_SET_PRESENT:
      if (inSize != 1) {
        return STATUS_INVALID_PARAMETER;
      }
      return SetBridgePresent(buffer[0] != 0);
    case TORV_SIM_SET_BUSY_READS:
      if (inSize != 4) {
        return STATUS_INVALID_PARAMETER;
      }
      TorvModelSetBusyReads(modelStorage, ReadU32(buffer));
      return STATUS_SUCCESS;
    case TORV_SIM_SET_FAULT:
      if (inSize != 8 || !TorvModelSetFault(modelStorage, ReadU32(buffer), ReadU32(buffer + 4))) {
        return STATUS_INVALID_PARAMETER;
      }
      return STATUS_SUCCESS;
    case TORV_SIM_GET_COUNTS: {
      unsigned int counts[4];
      int i;
      if (outSize < 16) {
        return STATUS_BUFFER_TOO_SMALL;
      }
      TorvModelCounts(modelStorage, counts);
      for (i = 0; i < 4; ++i) {
        WriteU32(buffer + 4 * i, counts[i]);
      }
      *information = 16;
      return STATUS_SUCCESS;
    }
    default:
      return STATUS_INVALID_DEVICE_REQUEST;
  }
}

static NTSTATUS Complete(PIRP irp, NTSTATUS status, ULONG_PTR information) {
  irp->IoStatus.Status = status;
  irp->IoStatus.Information = information;
  IoCompleteRequest(irp, IO_NO_INCREMENT);
  return status;
}

static NTSTATUS DispatchCreateClose(PDEVICE_OBJECT device, PIRP irp) {
  (void)device;
  return Complete(irp, STATUS_SUCCESS, 0);
}

static NTSTATUS DispatchDeviceControl(PDEVICE_OBJECT device, PIRP irp) {
  PIO_STACK_LOCATION stack = IoGetCurrentIrpStackLocation(irp);
  const unsigned int code = stack->Parameters.DeviceIoControl.IoControlCode;
  const size_t inSize = stack->Parameters.DeviceIoControl.InputBufferLength;
  const size_t outSize = stack->Parameters.DeviceIoControl.OutputBufferLength;
  unsigned char* buffer = (unsigned char*)irp->AssociatedIrp.SystemBuffer;
  ULONG_PTR information = 0;
  NTSTATUS status;
  if (device == controlDevice) {
    status = ServeControl(code, buffer, inSize, outSize, &information);
  } else {
    /* Buffered transfer: input and output share the system buffer; a register read's input
       is consumed before its one output byte is written. */
    unsigned char request[264];
    size_t returned = 0;
    size_t i;
    if (inSize > sizeof(request) || (inSize > 0 && buffer == NULL)) {
      return Complete(irp, STATUS_INVALID_PARAMETER, 0);
    }
    for (i = 0; i < inSize; ++i) {
      request[i] = buffer[i];
    }
    if (TorvModelHandle(modelStorage, code, inSize ? request : NULL, inSize,
                        outSize ? buffer : NULL, outSize, &returned)) {
      status = STATUS_SUCCESS;
      information = returned;
    } else {
      status = STATUS_UNSUCCESSFUL;
    }
  }
  return Complete(irp, status, information);
}

static void DriverUnload(PDRIVER_OBJECT driver) {
  UNICODE_STRING link;
  (void)driver;
  SetBridgePresent(0);
  RtlInitUnicodeString(&link, L"\\DosDevices\\TORVSIMCTL");
  IoDeleteSymbolicLink(&link);
  if (controlDevice != NULL) {
    IoDeleteDevice(controlDevice);
  }
  if (bridgeDevice != NULL) {
    IoDeleteDevice(bridgeDevice);
  }
}

NTSTATUS WINAPI DriverEntry(PDRIVER_OBJECT driver, PUNICODE_STRING registryPath) {
  UNICODE_STRING name;
  UNICODE_STRING link;
  NTSTATUS status;
  (void)registryPath;
  if (TorvModelSize() > sizeof(modelStorage)) {
    return STATUS_INSUFFICIENT_RESOURCES;
  }
  TorvModelInit(modelStorage);

  driver->MajorFunction[IRP_MJ_CREATE] = DispatchCreateClose;
  driver->MajorFunction[IRP_MJ_CLOSE] = DispatchCreateClose;
  driver->MajorFunction[IRP_MJ_DEVICE_CONTROL] = DispatchDeviceControl;
  driver->DriverUnload = DriverUnload;

  RtlInitUnicodeString(&name, L"\\Device\\TORVDEV01");
  status = IoCreateDevice(driver, 0, &name, FILE_DEVICE_UNKNOWN, 0, FALSE, &bridgeDevice);
  if (!NT_SUCCESS(status)) {
    return status;
  }
  RtlInitUnicodeString(&name, L"\\Device\\TORVSIMCTL");
  status = IoCreateDevice(driver, 0, &name, FILE_DEVICE_UNKNOWN, 0, FALSE, &controlDevice);
  if (!NT_SUCCESS(status)) {
    DriverUnload(driver);
    return status;
  }
  RtlInitUnicodeString(&link, L"\\DosDevices\\TORVSIMCTL");
  status = IoCreateSymbolicLink(&link, &name);
  if (NT_SUCCESS(status)) {
    status = SetBridgePresent(1);
  }
  if (!NT_SUCCESS(status)) {
    DriverUnload(driver);
  }
  return status;
}
