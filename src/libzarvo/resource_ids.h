// The support library's resources, shared by libzarvo.rc and the code:
// the about box and its controls. A test reads the box by these too.
#ifndef PINLET_LIBZARVO_RESOURCE_IDS_H_
#define PINLET_LIBZARVO_RESOURCE_IDS_H_

#define IDD_ABOUT 100
#define IDC_ABOUT_PRODUCT 101
#define IDC_ABOUT_VERSION 102
#define IDC_ABOUT_DESCRIPTION 103
#define IDC_ABOUT_HELP 104

#endif  // PINLET_LIBZARVO_RESOURCE_IDS_H_
