# SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
# SPDX-License-Identifier: MIT
"""Plays key sequences into a real Linux pseudo-terminal in canonical mode (stty sane iutf8),
each followed by a lone line feed that marks its end, and reports what the terminal echoed
and what each read() of a program on the other side returned (an empty read is the end of
input). Reads a JSON list of strings; writes a JSON list of {"echo", "lus"}, in base64."""
import base64, json, os, select, subprocess, sys, time


def echo_en_attente(maitre, delai):
    """What the terminal echoed and nobody read yet; nothing once the other side is closed."""
    try:
        return os.read(maitre, 65536) if select.select([maitre], [], [], delai)[0] else b""
    except OSError:
        return b""


def jouer(touches):
    maitre, esclave = os.openpty()
    subprocess.run(["stty", "sane", "iutf8"], stdin=esclave, check=True)
    lu, ecrit = os.pipe()
    lecteur = os.fork()
    if lecteur == 0:  # each read() into the pipe, its length first, until the lone line feed
        os.setsid()
        os.dup2(esclave, 0)
        while True:
            octets = os.read(0, 65536)
            os.write(ecrit, len(octets).to_bytes(4, "big") + octets)
            if octets == b"\n":
                os._exit(0)
    for fd in (ecrit, esclave):
        os.close(fd)
    os.write(maitre, touches + b"\n")
    echo, limite = b"", time.monotonic() + 10
    # The echo of the final line feed comes last; the reader ends once it has read it.
    fini = False
    while time.monotonic() < limite and not fini:
        echo += echo_en_attente(maitre, 0.1)
        fini = echo.endswith(b"\r\n") and os.waitpid(lecteur, os.WNOHANG)[0] != 0
    if not fini:  # a row without its line feed: the reader waits still
        os.kill(lecteur, 9)
        os.waitpid(lecteur, 0)
    while morceau := echo_en_attente(maitre, 0.05):
        echo += morceau
    donnees, lus = b"".join(iter(lambda: os.read(lu, 65536), b"")), []
    while donnees:
        taille = int.from_bytes(donnees[:4], "big")
        lus.append(base64.b64encode(donnees[4:4 + taille]).decode())
        donnees = donnees[4 + taille:]
    os.close(lu)
    os.close(maitre)
    return {"echo": base64.b64encode(echo).decode(), "lus": lus}


print(json.dumps([jouer(t.encode()) for t in json.load(sys.stdin)]))
