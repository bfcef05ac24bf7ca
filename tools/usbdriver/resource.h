// Resource ids of the USB driver stand-in.
#pragma once

#define IDD_USBDRIVER       100
#define IDC_USBDRIVER_LAST  101
