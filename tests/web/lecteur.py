# SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
# SPDX-License-Identifier: MIT
"""The page heard through a real screen reader: Orca, speaking through speech-dispatcher and
espeak-ng to a silent sound device, on a private D-Bus session bus and accessibility bus,
under Xvfb, each browser with its accessibility on. Keys are real X key events (xdotool);
what Orca says is read from its speech log. A blind player's way: from the terminal,
Shift-Tab to the switch, Space, Tab back; the question the game waits for must be spoken
then; each answer typed, the next question spoken once, and a heap of 998 matches said by
its count, once, and its rows in one line; switched off again, nothing but the keys.
Everything it starts is stopped by its process id; everything it writes stays in its
own temporary folder. Usage: python3 lecteur.py PAGE NATIVE_GAME ENGINE..."""
import os, select, shutil, signal, subprocess, sys, tempfile, time

PAGE, NATIF, MOTEURS = sys.argv[1], sys.argv[2], sys.argv[3:]
REPONSES = ["1", "2", "998", "1", "3"]  # whole game mode, a custom heap of 998, at most 3 a move
PAQUETS = {"Xvfb": "xvfb", "xdotool": "xdotool", "dbus-daemon": "dbus", "orca": "orca",
           "speech-dispatcher": "speech-dispatcher", "espeak-ng": "espeak-ng"}
NAVIGATEURS = {"chromium": "/usr/bin/chromium", "firefox": "/usr/bin/firefox-esr"}


def question(reponses):
    """The last line the native game writes before it waits, after `reponses`."""
    entree = "".join(r + "\n" for r in reponses)
    sortie = subprocess.run([NATIF], input=entree.encode(), capture_output=True).stdout.decode()
    lignes = [" ".join(l.split()) for l in sortie.split("\n")]
    lignes = [l for l in lignes if l]
    return lignes[-1]


class Banc:
    """The desktop of one engine: display, buses, speech, Orca and the browser."""

    def __init__(self, moteur):
        self.moteur, self.processus = moteur, []
        self.dossier = tempfile.mkdtemp(prefix=f"allumettes-lecteur-{moteur}-")
        d = self.dossier
        for sous in ("home", "config/speech-dispatcher", "data/orca", "run", "cache", "locales"):
            os.makedirs(os.path.join(d, sous), mode=0o700)
        self.paroles = os.path.join(d, "paroles.log")
        self.env = dict(os.environ, HOME=f"{d}/home", XDG_CONFIG_HOME=f"{d}/config",
                        XDG_DATA_HOME=f"{d}/data", XDG_RUNTIME_DIR=f"{d}/run", XDG_CACHE_HOME=f"{d}/cache",
                        GNOME_ACCESSIBILITY="1", NO_AT_BRIDGE="0", ORCA_PAROLES=self.paroles,
                        LANG="fr_FR.UTF-8", LANGUAGE="fr", LC_ALL="fr_FR.UTF-8")
        # Orca speaks French where the machine has the locale; else it is built here.
        if "fr_FR.utf8" not in subprocess.run(["locale", "-a"], capture_output=True, text=True).stdout:
            subprocess.run(["localedef", "-i", "fr_FR", "-f", "UTF-8", f"{d}/locales/fr_FR.UTF-8"], check=True)
            self.env["LOCPATH"] = f"{d}/locales"
        self.env.pop("WAYLAND_DISPLAY", None)

    def lancer(self, commande, **options):
        p = subprocess.Popen(commande, env=self.env, start_new_session=True,
                             stdout=options.pop("stdout", subprocess.DEVNULL),
                             stderr=options.pop("stderr", subprocess.DEVNULL), **options)
        self.processus.append(p)
        return p

    def lire_ligne(self, fd, quoi):
        """The line a program just started writes on `fd`, once it is ready (30 s at most)."""
        if not select.select([fd], [], [], 30)[0]:
            raise RuntimeError(f"{quoi} did not start within 30 s")
        return os.fdopen(fd).readline().strip()

    def demarrer(self):
        d = self.dossier
        lu, ecrit = os.pipe()
        self.lancer(["Xvfb", "-displayfd", str(ecrit), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                    pass_fds=(ecrit,))
        os.close(ecrit)
        self.env["DISPLAY"] = ":" + self.lire_ligne(lu, "Xvfb")
        # A bus that listens where it is told: without <listen>, GLib would start a bus of its own.
        with open(f"{d}/session.conf", "w") as f:
            f.write(f"""<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig><type>session</type><listen>unix:dir={d}/run</listen><auth>EXTERNAL</auth>
<policy context="default"><allow send_destination="*" eavesdrop="true"/><allow eavesdrop="true"/>
<allow own="*"/></policy></busconfig>""")
        lu, ecrit = os.pipe()
        self.lancer(["dbus-daemon", f"--config-file={d}/session.conf", "--nofork", f"--print-address={ecrit}"],
                    pass_fds=(ecrit,))
        os.close(ecrit)
        self.env["DBUS_SESSION_BUS_ADDRESS"] = self.lire_ligne(lu, "dbus-daemon")
        self.lancer(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
        # No sound card: speech goes through ALSA to a device that swallows it.
        with open("/etc/speech-dispatcher/speechd.conf") as f:
            conf = f.read()
        with open(f"{d}/config/speech-dispatcher/speechd.conf", "w") as f:
            f.write(conf + '\nAudioOutputMethod "alsa"\nAddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"\n'
                    'DefaultModule espeak-ng\nDefaultLanguage "fr"\n')
        with open(f"{d}/home/.asoundrc", "w") as f:
            f.write("pcm.!default { type null }\nctl.!default { type hw card 0 }\n")
        # Orca's spoken words, in a file flushed at each, ended by a record separator (an
        # utterance may hold line feeds).
        with open(f"{d}/data/orca/orca-customizations.py", "w") as f:
            f.write("import logging, os\n_h = logging.FileHandler(os.environ['ORCA_PAROLES'])\n_h.terminator = '\\x1e'\n"
                    "logging.getLogger('speech').addHandler(_h)\nlogging.getLogger('speech').setLevel(logging.INFO)\n")
        self.orca = self.lancer(["orca", "--replace"], stderr=open(f"{d}/orca.err", "w"))
        self.attendre(lambda: os.path.exists(self.paroles) or self.orca.poll() is not None, "Orca's speech log")
        if self.orca.poll() is not None:
            raise RuntimeError("Orca exited: " + open(f"{d}/orca.err").read()[-2000:])
        navigateur = NAVIGATEURS[self.moteur]
        adresse = "file://" + os.path.abspath(PAGE)
        if self.moteur == "chromium":
            self.lancer([navigateur, "--no-sandbox", "--force-renderer-accessibility", "--no-first-run",
                         "--disable-gpu", "--disable-background-networking", "--disable-component-update",
                         "--disable-sync", f"--user-data-dir={d}/profil", "--window-size=1280,1000", adresse])
        else:
            os.makedirs(f"{d}/profil")
            with open(f"{d}/profil/user.js", "w") as f:
                for cle, valeur in (("accessibility.force_disabled", -1), ("browser.aboutwelcome.enabled", False),
                                    ("datareporting.policy.dataSubmissionEnabled", False),
                                    ("browser.startup.homepage_override.mstone", '"ignore"'),
                                    ("toolkit.telemetry.reportingpolicy.firstRun", False)):
                    f.write(f'user_pref("{cle}", {str(valeur).lower() if isinstance(valeur, bool) else valeur});\n')
            self.lancer([navigateur, "--no-remote", "--profile", f"{d}/profil", adresse])

    def paroles_lues(self):
        try:
            with open(self.paroles, encoding="utf-8", errors="replace") as f:
                return [" ".join(p.split()) for p in f.read().split("\x1e") if p.startswith("SPEECH OUTPUT:")]
        except FileNotFoundError:
            return []

    def attendre(self, condition, quoi, limite=60):
        fin = time.monotonic() + limite
        while not condition():
            if time.monotonic() > fin:
                raise RuntimeError(f"never within {limite} s: {quoi}")
            time.sleep(0.1)

    def silence(self, quoi):
        """Until Orca has said nothing new for a second (60 s at most)."""
        avant, calme = len(self.paroles_lues()), time.monotonic()
        fin = time.monotonic() + 60
        while time.monotonic() - calme < 1:
            if time.monotonic() > fin:
                raise RuntimeError(f"Orca never fell silent: {quoi}")
            time.sleep(0.1)
            maintenant = len(self.paroles_lues())
            if maintenant != avant:
                avant, calme = maintenant, time.monotonic()

    def touches(self, *touches):
        subprocess.run(["xdotool", "key", "--delay", "80", *touches], env=self.env, check=True)

    def taper(self, texte):
        if texte:
            subprocess.run(["xdotool", "type", "--delay", "80", texte], env=self.env, check=True)
        self.touches("Return")

    def arreter(self):
        for p in reversed(self.processus):
            try:
                os.killpg(p.pid, signal.SIGTERM)
            except ProcessLookupError:
                pass
        for p in self.processus:
            try:
                p.wait(timeout=10)
            except subprocess.TimeoutExpired:
                os.killpg(p.pid, signal.SIGKILL)
        shutil.rmtree(self.dossier, ignore_errors=True)


def dit(paroles, texte):
    """How many times `texte` was said, blanks made one space."""
    return " ".join(" ".join(paroles).split()).count(" ".join(texte.split()))


def jouer(banc, echecs):
    banc.demarrer()
    premiere = question([])
    banc.attendre(lambda: dit(banc.paroles_lues(), "Réponses au jeu") > 0, "the page's terminal announced")
    banc.silence("at the page's opening")
    deja = len(banc.paroles_lues())
    # The switch, the first control of the page; once the question is heard, back to the terminal.
    banc.touches("shift+Tab", "space")
    banc.attendre(lambda: dit(banc.paroles_lues()[deja:], premiere) > 0, f"the waiting question said: {premiere}", 30)
    banc.silence("switched on")
    banc.touches("Tab")
    banc.silence("back in the terminal")
    if dit(banc.paroles_lues()[deja:], "coché") == 0:  # or "cochée", as Firefox has it
        echecs.append(f"Orca did not say the switch checked in French: {banc.paroles_lues()[deja:][:6]}")
    for rang in range(len(REPONSES)):
        deja = len(banc.paroles_lues())
        suivante = question(REPONSES[:rang + 1])
        banc.taper(REPONSES[rang])
        try:
            banc.attendre(lambda: dit(banc.paroles_lues()[deja:], suivante) > 0, f"said: {suivante}", 30)
        except RuntimeError as erreur:
            echecs.append(f"after {REPONSES[rang]!r}: {erreur}; said: {banc.paroles_lues()[deja:][-6:]}")
            return
        banc.silence(f"after {REPONSES[rang]!r}")
        fois = dit(banc.paroles_lues()[deja:], suivante)
        if fois != 1:
            echecs.append(f"after {REPONSES[rang]!r}, the question was said {fois} times: {suivante}")
        # The heap drawn: its count said once, its rows in one line, not one by one.
        compte, rangees = (dit(banc.paroles_lues()[deja:], t) for t in ("998 allumettes", "20 barres"))
        if rang == len(REPONSES) - 1 and (compte != 1 or rangees > 1):
            echecs.append(f"the heap of 998: its count said {compte} times, « 20 barres » {rangees} times")
    # Switched off: the next answer brings nothing but the keys said.
    banc.touches("shift+Tab", "space", "Tab")
    banc.silence("switched off")
    deja = len(banc.paroles_lues())
    banc.taper("")
    banc.silence("after Enter, switched off")
    # A key's name is a word: « entrée »; what the game writes is longer.
    dites = [p.split("'")[1] if "'" in p else p for p in banc.paroles_lues()[deja:]]
    longues = [p for p in dites if len(p.strip()) > 12]
    if longues:
        echecs.append(f"switched off, Orca said more than the keys: {longues[:4]}")


def main():
    manquants = [f"{prog} (install {paquet})" for prog, paquet in PAQUETS.items() if not shutil.which(prog)]
    for fichier, paquet in (("/usr/libexec/at-spi-bus-launcher", "at-spi2-core"),
                            ("/usr/lib/speech-dispatcher-modules/sd_espeak-ng", "speech-dispatcher-espeak-ng")):
        if not os.path.exists(fichier):
            manquants.append(f"{fichier} (install {paquet})")
    if manquants:
        print(f"SKIPPED: {', '.join(manquants)} missing")
        return 77
    rates = 0
    for moteur in MOTEURS:
        if not os.path.exists(NAVIGATEURS[moteur]):
            print(f"SKIPPED: {NAVIGATEURS[moteur]} missing")
            return 77
        banc, echecs = Banc(moteur), []
        debut = time.monotonic()
        try:
            jouer(banc, echecs)
        except Exception as erreur:
            echecs.append(f"{erreur}; last said: {banc.paroles_lues()[-6:]}")
        finally:
            banc.arreter()
        for echec in echecs:
            print(f"FAIL: {moteur}: {echec}")
        print(f"{moteur}: {'passed' if not echecs else 'failed'} in {time.monotonic() - debut:.0f} s")
        rates += bool(echecs)
    return 1 if rates else 0


signal.signal(signal.SIGTERM, lambda *_: sys.exit("FAIL: the screen reader test was stopped by its time limit"))
sys.exit(main())
