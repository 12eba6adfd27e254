"""Plays key sequences into a real Linux pseudo-terminal in canonical mode (stty sane iutf8)
and reports, for each, what the terminal echoed and what each read() of a program on the
other side returned. Each sequence is followed by a lone line feed, which marks its end.
Reads a JSON list of strings on standard input; writes a JSON list of
{"echo": base64, "lus": [base64, ...]} on standard output (an empty read is the end of input).
"""
import base64
import json
import os
import select
import subprocess
import sys
import time

FIN = b"\n"


def lecteur(esclave, tube):
    """The program on the other side: each read() of the terminal, length first, into the pipe."""
    os.setsid()
    os.dup2(esclave, 0)
    while True:
        octets = os.read(0, 65536)
        os.write(tube, len(octets).to_bytes(4, "big") + octets)
        if octets == FIN:
            os._exit(0)


def echo_en_attente(maitre, delai):
    """What the terminal echoed and nobody read yet; nothing once the other side is closed."""
    try:
        if select.select([maitre], [], [], delai)[0]:
            return os.read(maitre, 65536)
    except OSError:
        pass
    return b""


def lectures(tube):
    donnees = b""
    while True:
        morceau = os.read(tube, 65536)
        if not morceau:
            break
        donnees += morceau
    lus = []
    while donnees:
        taille = int.from_bytes(donnees[:4], "big")
        lus.append(donnees[4:4 + taille])
        donnees = donnees[4 + taille:]
    return lus


def jouer(touches):
    maitre, esclave = os.openpty()
    subprocess.run(["stty", "sane", "iutf8"], stdin=esclave, check=True)
    lu, ecrit = os.pipe()
    enfant = os.fork()
    if enfant == 0:
        os.close(maitre)
        os.close(lu)
        lecteur(esclave, ecrit)
    os.close(ecrit)
    os.close(esclave)
    os.write(maitre, touches + FIN)
    echo = b""
    limite = time.monotonic() + 10
    # The echo of the final line feed comes last; then nothing more arrives.
    while time.monotonic() < limite:
        morceau = echo_en_attente(maitre, 0.1)
        echo += morceau
        if not morceau and echo.endswith(b"\r\n"):
            break
    os.waitpid(enfant, 0)
    while morceau := echo_en_attente(maitre, 0.05):
        echo += morceau
    lus = lectures(lu)
    os.close(lu)
    os.close(maitre)
    return {"echo": base64.b64encode(echo).decode(),
            "lus": [base64.b64encode(l).decode() for l in lus]}


print(json.dumps([jouer(t.encode()) for t in json.load(sys.stdin)]))
