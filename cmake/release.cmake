# The release this tree builds, beside the version of the project() line: its date (the Debian changelog,
# the AppStream entry) and who answers for the Debian packages built from it.
set(TESSARIN_RELEASE_DATE 2026-12-08)

# A distributor names themselves here: -DTESSARIN_MAINTAINER="Name <address>". The team has no address
# of its own, so the default's domain is one that can never be reached (".invalid" is reserved for that).
set(TESSARIN_MAINTAINER "Tessarin-Team <tessarin@tessarin.invalid>" CACHE STRING
    "Maintainer field of the Debian packages and signature of their changelog")
