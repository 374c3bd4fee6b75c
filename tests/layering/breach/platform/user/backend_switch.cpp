// A backend switch outside the backends' folder: the layering check must
// refuse it.
#ifdef VANTREL_HAVE_SDL2
#endif
