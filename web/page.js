// The page: a terminal in which the game runs as in a console. Three parts: the line
// discipline (what a terminal does with the keys before the game sees them), the run of the
// game through the bridge (pont.js), and the page around them (size, touch keys, the
// message at the end of a run).
'use strict';

// The game's longest line, the setup paragraph, holds on one row.
const COLONNES_MINIMUM = 122;
// A Linux terminal keeps at most 4095 characters of a line, its line feed apart.
const LIGNE_MAXIMUM = 4095;
const POLICE = 'ui-monospace, "DejaVu Sans Mono", Menlo, Consolas, monospace';
const TAILLE_MAXIMUM = 18;
// Below it a phone held upright could not be read: the terminal keeps its width, and scrolls.
const TAILLE_MINIMUM = 8;

// The one object that holds the page: its terminal, and the run under way.
const page = { terminal: null, ajustement: null, partie: null, file: null, discipline: null };

// ---- The line discipline -------------------------------------------------------------

// A control character is echoed as ^ and a letter, two columns wide, as terminals do.
function echoDe(caractere) {
  const code = caractere.charCodeAt(0);
  if (code < 32) return '^' + String.fromCharCode(code + 64);
  return code === 127 ? '^?' : caractere;
}

// The keys as a terminal in canonical mode takes them: typed characters are echoed,
// Backspace erases one, Ctrl-U the whole line, Enter sends the line with its line feed,
// Ctrl-D sends what is typed or, on an empty line, ends the input, Ctrl-C interrupts.
// Lines typed ahead wait in `file` for the next questions.
function creerDiscipline(file, echo, interrompre) {
  let ligne = '';
  let longueur = 0; // in characters, not in UTF-16 units
  let vu = [];
  function effacer() {
    const fin = ligne.length - (/[\uDC00-\uDFFF]$/.test(ligne) && ligne.length > 1 ? 2 : 1);
    vu.push('\b \b'.repeat(echoDe(ligne.slice(fin)).length));
    ligne = ligne.slice(0, fin);
    longueur -= 1;
  }
  function envoyer(texte) {
    file.envoyer(texte);
    ligne = '';
    longueur = 0;
  }
  // Printable text as typed, cut where the line is full.
  function ajouter(texte) {
    const caracteres = /[\uD800-\uDFFF]/.test(texte) ? Array.from(texte) : texte;
    const pris = caracteres.slice(0, Math.max(0, LIGNE_MAXIMUM - longueur));
    const ajout = typeof pris === 'string' ? pris : pris.join('');
    ligne += ajout;
    longueur += pris.length;
    vu.push(ajout);
  }
  // One control character; false once the run is interrupted.
  function controle(c) {
    if (c === '\r' || c === '\n') {
      vu.push('\r\n');
      envoyer(ligne + '\n');
    } else if (c === '\x7f' || c === '\b') {
      if (longueur > 0) effacer();
    } else if (c === '\x15') {
      while (longueur > 0) effacer();
    } else if (c === '\x04') {
      if (longueur > 0) envoyer(ligne);
      else file.fermer();
    } else if (c === '\x03') {
      vu.push('^C\r\n');
      return false;
    } else if (longueur < LIGNE_MAXIMUM) {
      ligne += c;
      longueur += 1;
      vu.push(echoDe(c));
    }
    return true;
  }
  // A paste of a megabyte goes by runs of text between control characters, not key by key.
  function recevoir(touches) {
    let suite = true;
    for (const morceau of touches.split(/([\x00-\x1f\x7f])/)) {
      if (morceau.length === 1 && /[\x00-\x1f\x7f]/.test(morceau)) suite = controle(morceau);
      else if (morceau) ajouter(morceau);
      if (!suite) break;
    }
    if (vu.length > 0) echo(vu.join(''));
    vu = [];
    if (!suite) interrompre();
  }
  return { recevoir };
}

// ---- The run of the game -------------------------------------------------------------

// A new run, in a new instance of the game, on a cleared terminal.
function commencerUnePartie() {
  if (page.partie) page.partie.arreter();
  montrerLaFin(null);
  page.terminal.reset();
  const file = new FileDeLignes();
  const ecrire = (octets) => new Promise((fait) => page.terminal.write(octets, fait));
  const partie = lancerLeJeu(creerLeJeu, file, ecrire);
  page.file = file;
  page.partie = partie;
  page.discipline = creerDiscipline(file, (texte) => page.terminal.write(texte), () => {
    partie.interrompue = true;
    partie.arreter();
  });
  partie.fin.then((statut) => {
    if (page.partie !== partie) return;
    page.partie = null;
    page.discipline = null;
    montrerLaFin(partie.interrompue ? 'interrompue' : statut);
  });
  page.terminal.focus();
}

// ---- The page ------------------------------------------------------------------------

// What the page says below the game's output once a run has ended; null hides it.
function montrerLaFin(statut) {
  const fin = document.getElementById('fin');
  fin.hidden = statut === null;
  if (statut === null) return;
  const texte = document.getElementById('fin-texte');
  if (statut === 'interrompue') texte.textContent = 'Le jeu a été interrompu par Ctrl-C.';
  else if (typeof statut === 'number') texte.textContent = `Le jeu est terminé (code de retour ${statut}).`;
  else texte.textContent = 'Le jeu s’est arrêté sur une erreur.';
  document.getElementById('recommencer').focus();
}

// The font as large as lets COLONNES_MINIMUM columns fit the width, and as many rows as fit;
// on a narrow screen, the smallest readable font, the terminal scrolling sideways.
function ajusterLaTaille() {
  const boite = document.getElementById('terminal');
  const mesure = document.createElement('canvas').getContext('2d');
  mesure.font = `100px ${POLICE}`;
  const largeurParPixel = mesure.measureText('M').width / 100;
  let taille = Math.min(TAILLE_MAXIMUM, (boite.clientWidth - 4) / (COLONNES_MINIMUM * largeurParPixel));
  taille = Math.max(TAILLE_MINIMUM, Math.floor(taille * 4) / 4);
  page.terminal.options.fontSize = taille;
  let dimensions = page.ajustement.proposeDimensions();
  while (dimensions && dimensions.cols < COLONNES_MINIMUM && taille > TAILLE_MINIMUM) {
    taille -= 0.25;
    page.terminal.options.fontSize = taille;
    dimensions = page.ajustement.proposeDimensions();
  }
  if (!dimensions) return;
  page.terminal.resize(Math.max(COLONNES_MINIMUM, dimensions.cols), Math.max(4, dimensions.rows));
}

// Ctrl-C with text selected copies it, as terminals on the web do; otherwise it interrupts.
function copierLaSelection(evenement) {
  const copie = evenement.type === 'keydown' && evenement.ctrlKey && !evenement.altKey &&
    evenement.key.toLowerCase() === 'c' && page.terminal.hasSelection();
  if (!copie) return true;
  if (navigator.clipboard) navigator.clipboard.writeText(page.terminal.getSelection()).catch(() => {});
  page.terminal.clearSelection();
  return false;
}

// The touch keys type into the terminal without taking the focus from it.
const TOUCHES = { effacer: '\x7f', entree: '\r' };
function brancherLesTouches() {
  for (const bouton of document.querySelectorAll('#touches button')) {
    bouton.addEventListener('pointerdown', (evenement) => evenement.preventDefault());
    bouton.addEventListener('click', () => {
      const touche = bouton.dataset.touche;
      if (page.discipline) page.discipline.recevoir(TOUCHES[touche] || touche);
    });
  }
}

function ouvrirLaPage() {
  page.terminal = new Terminal({
    cols: COLONNES_MINIMUM,
    convertEol: true, // a line feed also returns the carriage, as a terminal's output does
    fontFamily: POLICE,
    scrollback: 5000,
    theme: { background: '#000000' },
  });
  page.ajustement = new FitAddon.FitAddon();
  page.terminal.loadAddon(page.ajustement);
  page.terminal.open(document.getElementById('terminal'));
  page.terminal.attachCustomKeyEventHandler(copierLaSelection);
  page.terminal.onData((touches) => page.discipline && page.discipline.recevoir(touches));
  // The window's size changes, and so does the terminal's room when the end message shows.
  new ResizeObserver(ajusterLaTaille).observe(document.getElementById('terminal'));
  brancherLesTouches();
  document.getElementById('lecteur').addEventListener('change', (evenement) => {
    page.terminal.options.screenReaderMode = evenement.target.checked;
  });
  document.getElementById('recommencer').addEventListener('click', commencerUnePartie);
  commencerUnePartie();
}

ouvrirLaPage();
