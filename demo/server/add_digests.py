#!/usr/bin/env python3
"""Adds the SHA-256 digests of the served files to a product manifest or a
version file, in place: a "sha256" element as the last child of each
"main_component", "transform", "language_pack" and "dependency", and a
"web_installer_sha256" as the last child of "fresh_install" and
"patch_install". The installer then refuses a download whose bytes differ.

    add_digests.py FILE WWW_DIR

Each address is looked up in WWW_DIR by its path (the host and the query are
dropped), so the digests can be added before or after the addresses are
pointed at the real server. The packages are built afresh for each demo, so
their digests are added then rather than kept in the committed files.
"""
import hashlib
import os
import re
import sys
from urllib.parse import urlsplit

path, www = sys.argv[1], sys.argv[2]
text = open(path, encoding='utf-8').read()


def digest(url):
    served = os.path.join(www, urlsplit(url.replace('&amp;', '&')).path.lstrip('/'))
    with open(served, 'rb') as f:
        return hashlib.sha256(f.read()).hexdigest()


def add(group, url_element, digest_element, text):
    """Puts the digest of the group's own address before the group's end tag."""
    def with_digest(match):
        body = match.group(2)
        # The group's own address: the first one that no inner group holds.
        own = re.sub(r'<transform>.*?</transform>', '', body, flags=re.S)
        url = re.search(r'<%s>(.*?)</%s>' % (url_element, url_element), own, re.S)
        if not url:
            return match.group(0)
        indent = re.search(r'\n([ \t]*)</%s>$' % group, match.group(0)).group(1)
        line = '  %s<%s>%s</%s>\n' % (indent, digest_element, digest(url.group(1)), digest_element)
        return match.group(1) + body + line + indent + '</%s>' % group

    return re.sub(r'(<%s>)(.*?\n)[ \t]*</%s>' % (group, group), with_digest, text, flags=re.S)


for group in ('transform', 'main_component', 'language_pack', 'dependency'):
    text = add(group, 'full_url', 'sha256', text)
for group in ('fresh_install', 'patch_install'):
    text = add(group, 'web_installer_download_url', 'web_installer_sha256', text)
open(path, 'w', encoding='utf-8').write(text)
