// Leaks in the libraries beneath the CD device that the leak checker of the
// sanitizer build is told to pass over, with what causes each.
extern "C" const char* __lsan_default_suppressions()
{
    // libsndfile 1.2.0 leaves the vorbis_info of an Ogg Vorbis file whose
    // headers are malformed (a file cut short, say) when sf_open fails:
    // 5784 bytes per such open, allocated by vorbis_info_init.  Nothing
    // reaches it from outside libsndfile.
    return "leak:vorbis_info_init\n";
}
