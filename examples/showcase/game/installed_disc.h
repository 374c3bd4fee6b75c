// Where the demo's virtual CD is once installed.  The build copies the disc
// beside the program, where the library looks for it by itself; an
// installation keeps it with the demo's other data, under
// share/vantrel/demo/cdaudio, which the library does not know.
#ifndef SHOWCASE_INSTALLED_DISC_H
#define SHOWCASE_INSTALLED_DISC_H

// Names the installed disc in VANTREL_CDAUDIO before the CD device opens,
// unless the player has named a disc there or one lies beside the program.
// On Windows the installation puts the disc beside the program, and this
// does nothing.
void findInstalledDisc();

#endif
